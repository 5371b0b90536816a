// The registry of windows and controls, event raising and the message
// filter every loop of the program applies.
#include "primitives/win32/body.h"

#include "primitives/win32/shown_text.h"

namespace win32_body {

Body& TheBody() {
  static Body body;
  return body;
}

HINSTANCE Instance() { return GetModuleHandleW(nullptr); }

HFONT GuiFont() {
  Body& b = TheBody();
  if (!b.guiFont) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
      b.guiFont = CreateFontIndirectW(&metrics.lfMessageFont);
    }
    if (!b.guiFont) b.guiFont = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  }
  return b.guiFont;
}

std::wstring Shown(std::string_view text) { return ShownText(text); }

WindowRecord* FindWindowRecord(WindowId window) {
  auto& windows = TheBody().windows;
  auto it = windows.find(window);
  return it == windows.end() ? nullptr : it->second.get();
}

WindowRecord* WindowOfHandle(HWND hwnd) {
  if (!hwnd) return nullptr;
  for (auto& [id, w] : TheBody().windows) {
    if (w->hwnd == hwnd) return w.get();
  }
  return nullptr;
}

ControlRecord* FindControlRecord(WindowId window, int id) {
  WindowRecord* w = FindWindowRecord(window);
  if (!w) return nullptr;
  auto it = w->controls.find(id);
  return it == w->controls.end() ? nullptr : it->second.get();
}

ControlRecord* ControlOf(WindowId window, int id, ControlType type) {
  ControlRecord* c = FindControlRecord(window, id);
  return c && c->type == type ? c : nullptr;
}

bool Raise(WindowId window, int control, Event event, int argument) {
  Body& b = TheBody();
  if (b.muted > 0) return true;
  WindowRecord* w = FindWindowRecord(window);
  if (!w) return true;
  const Handler* handler = w->form.Find(control, event);
  if (!handler) return true;
  // The handler may destroy this window; its record then waits in
  // b.destroyed, so `handler` stays valid until the loop frees it.
  ++b.handlerDepth;
  const bool answer = RunHandler(*handler, argument);
  --b.handlerDepth;
  if (b.handlerDepth == 0) FlushAllEdits();
  return answer;
}

namespace {

bool ModifierDown() {
  return GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_SHIFT) < 0 || GetKeyState(VK_MENU) < 0;
}

}  // namespace

bool PreTranslate(MSG& msg) {
  Body& b = TheBody();
  if (b.handlerDepth == 0) {
    FlushAllEdits();
    b.destroyed.clear();
  }
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
  const HWND root = GetAncestor(msg.hwnd, GA_ROOT);
  WindowRecord* w = WindowOfHandle(root);
  if (!w) return false;
  // Before any control sees it, also an in-place edit box of the list.
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE && (w->form.style & kEscCloses) && !ModifierDown()) {
    SendMessageW(root, WM_CLOSE, 0, 0);
    return true;
  }
  return w->accelerators && TranslateAcceleratorW(root, w->accelerators, &msg);
}

bool PumpOne(MSG& msg) {
  if (msg.message == WM_QUIT) return false;
  if (!PreTranslate(msg)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return true;
}

void DeliverAfterPress() {
  auto& pending = TheBody().test.afterPress;
  const auto inputs = std::move(pending);
  pending.clear();
  for (const TestHooks::Input& input : inputs) PostMessageW(input.hwnd, input.message, input.wParam, input.lParam);
}

}  // namespace win32_body
