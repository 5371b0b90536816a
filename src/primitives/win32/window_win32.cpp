// Top-level windows: creation from a form, the window procedure that turns
// messages into the form's events, menus and shortcuts, closing, the event
// loop and pop-up menus.
#include <algorithm>

#include "primitives/text.h"
#include "primitives/win32/body.h"
#include "primitives/win32/shown_text.h"

namespace win32_body {

namespace {

constexpr wchar_t kWindowClass[] = L"VarnelWindow";

void RegisterWindowClass() {
  static bool registered = false;
  if (registered) return;
  INITCOMMONCONTROLSEX init{sizeof init, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES |
                                             ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES};
  InitCommonControlsEx(&init);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = Instance();
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  wc.lpszClassName = kWindowClass;
  if (!RegisterClassExW(&wc)) StopProgram("无法注册窗口类。");
  registered = true;
}

void AddMenuItems(WindowRecord& w, HMENU menu, const std::vector<MenuSpec>& items, bool topLevel) {
  UINT position = 0;
  for (const MenuSpec& item : items) {
    MenuEntry entry{menu, position, topLevel, false, false};
    if (item.caption == "-") {
      AppendMenuW(menu, MF_SEPARATOR, static_cast<UINT_PTR>(item.id), nullptr);
      entry.separator = true;
    } else {
      Text caption = item.caption;
      if (!item.shortcut.empty()) caption += "\t" + item.shortcut;
      const std::wstring shown = Shown(caption);
      if (!item.items.empty() || topLevel) {
        HMENU popup = CreatePopupMenu();
        AddMenuItems(w, popup, item.items, false);
        AppendMenuW(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup), shown.c_str());
      } else {
        AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(item.id), shown.c_str());
      }
    }
    w.menus[item.id] = entry;
    ++position;
  }
}

HACCEL BuildAccelerators(const Form& form) {
  std::vector<ACCEL> table;
  for (const ShortcutSpec& s : form.shortcuts) {
    const char key = (s.key >= 'a' && s.key <= 'z') ? static_cast<char>(s.key - 'a' + 'A') : s.key;
    table.push_back(ACCEL{FVIRTKEY | FCONTROL, static_cast<WORD>(key), static_cast<WORD>(s.menuItem)});
  }
  if (table.empty()) return nullptr;
  return CreateAcceleratorTableW(table.data(), static_cast<int>(table.size()));
}

HWND ActiveWindowOfOurs() {
  if (WindowRecord* w = WindowOfHandle(GetActiveWindow())) return w->hwnd;
  for (auto& [id, w] : TheBody().windows) {
    if (w->hwnd && IsWindowEnabled(w->hwnd)) return w->hwnd;
  }
  return nullptr;
}

void Command(WindowRecord& w, WPARAM wParam, LPARAM lParam) {
  const WindowId window = w.form.window;
  const int id = LOWORD(wParam);
  const auto from = reinterpret_cast<HWND>(lParam);
  if (!from) {
    // A menu item, from the bar, a shortcut or a pop-up. A disabled item
    // is never chosen, whichever way the command came.
    if (MenuItemEnabled(w, id)) Raise(window, id, Event::Chosen);
    return;
  }
  auto it = w.byHandle.find(from);
  if (it == w.byHandle.end()) return;
  ControlRecord& c = *it->second;
  const UINT code = HIWORD(wParam);
  switch (c.type) {
    case ControlType::ToolBar: Raise(window, c.id, Event::ButtonClicked, id - 1); break;
    case ControlType::Button:
    case ControlType::RadioBox:
      if (code == BN_CLICKED) Raise(window, c.id, Event::Clicked);
      break;
    case ControlType::EditBox:
      if (code == EN_CHANGE) EditChanged(c);
      break;
    case ControlType::ListBox:
      if (code == LBN_SELCHANGE) Raise(window, c.id, Event::SelectionChanged);
      break;
    case ControlType::HyperLinker:
      if (code == STN_CLICKED) OpenWebAddress(c.design->address);
      break;
    default: break;
  }
}

bool Notify(WindowRecord& w, NMHDR* header, LRESULT* result) {
  auto it = w.byHandle.find(header->hwndFrom);
  if (it == w.byHandle.end()) return ToolTipNotify(w, header);
  ControlRecord& c = *it->second;
  switch (c.type) {
    case ControlType::TreeBox: return TreeNotify(c, header, result);
    case ControlType::ListView: return ListNotify(c, header, result);
    case ControlType::Tab: return TabNotify(w, c, header);
    default: return false;
  }
}

void AnswerPopup(WindowRecord& w) {
  TestHooks& test = TheBody().test;
  const int item = test.answerPopup ? test.answerPopup() : 0;
  EndMenu();
  // As a real choice does: the command arrives once the menu is gone.
  if (item != 0 && MenuItemEnabled(w, item)) PostMessageW(w.hwnd, WM_COMMAND, MAKEWPARAM(item, 0), 0);
}

}  // namespace

bool MenuItemEnabled(const WindowRecord& w, int id) {
  auto it = w.menus.find(id);
  if (it == w.menus.end() || it->second.disabled) return false;
  for (const MenuSpec& top : w.form.menus) {
    for (const MenuSpec& item : top.items) {
      if (item.id == id) {
        auto t = w.menus.find(top.id);
        return t == w.menus.end() || !t->second.disabled;
      }
    }
  }
  return true;
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    if (auto* w = static_cast<WindowRecord*>(create->lpCreateParams)) w->hwnd = hwnd;
  }
  WindowRecord* w = WindowOfHandle(hwnd);
  if (!w) return DefWindowProcW(hwnd, message, wParam, lParam);
  const WindowId window = w->form.window;
  switch (message) {
    case WM_COMMAND:
      Command(*w, wParam, lParam);
      return 0;
    case WM_NOTIFY: {
      LRESULT result = 0;
      if (Notify(*w, reinterpret_cast<NMHDR*>(lParam), &result)) return result;
      break;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN: {
      auto it = w->byHandle.find(reinterpret_cast<HWND>(lParam));
      if (it != w->byHandle.end()) {
        if (HBRUSH brush = ControlColours(*it->second, reinterpret_cast<HDC>(wParam))) {
          return reinterpret_cast<LRESULT>(brush);
        }
      }
      break;
    }
    case WM_SIZE:
      DockBars(*w);
      // The layout runs from the first size change after the window is up,
      // not for the sizes the system sends while creating it.
      if (w->created) Raise(window, 0, Event::SizeChanged);
      return 0;
    case WM_CLOSE:
      if (!IsWindowEnabled(hwnd)) return 0;
      if (Raise(window, 0, Event::MayClose)) DestroyNow(window);
      return 0;
    case kMsgDestroyPending:
      if (w->closePending) DestroyNow(window);
      return 0;
    case kMsgAnswerPopup:
      AnswerPopup(*w);
      return 0;
    default: break;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

void DestroyNow(WindowId window) {
  Body& b = TheBody();
  auto it = b.windows.find(window);
  if (it == b.windows.end()) return;
  std::unique_ptr<WindowRecord> w = std::move(it->second);
  b.windows.erase(it);
  // Enabled again first, so that activation returns to them and not to
  // another program.
  for (HWND other : w->disabledByMe) {
    if (IsWindow(other)) EnableWindow(other, TRUE);
  }
  const HWND hwnd = w->hwnd;
  b.destroyed.push_back(std::move(w));
  if (hwnd) DestroyWindow(hwnd);
}

}  // namespace win32_body

using namespace win32_body;

// ---- windows ----

void LoadWindow(const Form& form, WindowId owner, bool modal) {
  Body& b = TheBody();
  if (WindowRecord* open = FindWindowRecord(form.window)) {
    if (!open->closePending) {
      if (IsIconic(open->hwnd)) ShowWindow(open->hwnd, SW_RESTORE);
      SetForegroundWindow(open->hwnd);
      SetActiveWindow(open->hwnd);
      return;
    }
    DestroyNow(form.window);
  }
  FlushAllEdits();
  RegisterWindowClass();

  auto record = std::make_unique<WindowRecord>();
  WindowRecord& w = *record;
  w.form = form;
  w.caption = form.caption;
  w.modal = modal;

  DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  if (!(form.style & kFixedFrame)) style |= WS_THICKFRAME;
  if (form.style & kMinimizeBox) style |= WS_MINIMIZEBOX;
  if (form.style & kMaximizeBox) style |= WS_MAXIMIZEBOX;
  const DWORD exStyle = (form.style & kInTaskbar) ? WS_EX_APPWINDOW : 0;

  int x = form.geometry.left;
  int y = form.geometry.top;
  if (form.style & kCentred) {
    x = (GetSystemMetrics(SM_CXSCREEN) - form.geometry.width) / 2;
    y = (GetSystemMetrics(SM_CYSCREEN) - form.geometry.height) / 2;
  }
  w.written = Geometry{x, y, form.geometry.width, form.geometry.height};

  // A modal window belongs to the window it blocks, so that activating
  // that one brings the modal window forward.
  HWND ownerHandle = nullptr;
  if (modal) {
    ownerHandle = ActiveWindowOfOurs();
  } else if (WindowRecord* o = FindWindowRecord(owner)) {
    ownerHandle = o->hwnd;
  }

  if (!form.menus.empty()) {
    w.menuBar = CreateMenu();
    AddMenuItems(w, w.menuBar, form.menus, true);
  }
  w.accelerators = BuildAccelerators(form);

  b.windows[form.window] = std::move(record);
  const std::wstring title = Shown(form.caption);
  const HWND hwnd = CreateWindowExW(exStyle, kWindowClass, title.c_str(), style, x, y, std::max(0, form.geometry.width),
                                    std::max(0, form.geometry.height), ownerHandle, w.menuBar, Instance(), &w);
  if (!hwnd) {
    b.windows.erase(form.window);
    StopProgram("无法创建窗口“" + form.caption + "”。");
  }
  w.hwnd = hwnd;
  if (form.icon != 0) {
    const auto big = static_cast<HICON>(
        LoadImageW(Instance(), MAKEINTRESOURCEW(form.icon), IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                   GetSystemMetrics(SM_CYICON), LR_SHARED));
    const auto small = static_cast<HICON>(
        LoadImageW(Instance(), MAKEINTRESOURCEW(form.icon), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                   GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    if (big) SendMessageW(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    if (small) SendMessageW(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
  }
  CreateControls(w);

  if (modal) {
    for (auto& [id, other] : b.windows) {
      if (other.get() != &w && other->hwnd && IsWindowEnabled(other->hwnd)) {
        EnableWindow(other->hwnd, FALSE);
        w.disabledByMe.push_back(other->hwnd);
      }
    }
  }
  ShowWindow(hwnd, SW_SHOWNORMAL);
  UpdateWindow(hwnd);
  SetForegroundWindow(hwnd);
  w.created = true;
  Raise(form.window, 0, Event::Created);
}

void CloseWindow(WindowId window) {
  WindowRecord* w = FindWindowRecord(window);
  if (!w) return;
  if (TheBody().handlerDepth > 0) {
    // Destroyed once the running handler has returned.
    w->closePending = true;
    PostMessageW(w->hwnd, kMsgDestroyPending, 0, 0);
  } else {
    DestroyNow(window);
  }
}

void RefreshNow(WindowId window) {
  FlushAllEdits();
  if (WindowRecord* w = FindWindowRecord(window)) {
    RedrawWindow(w->hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  }
}

void PopupMenu(WindowId window, int menu) {
  WindowRecord* w = FindWindowRecord(window);
  if (!w) return;
  auto entry = w->menus.find(menu);
  if (entry == w->menus.end() || !entry->second.topLevel) return;
  HMENU popup = GetSubMenu(entry->second.parent, static_cast<int>(entry->second.position));
  if (!popup) return;
  FlushAllEdits();

  TestHooks& test = TheBody().test;
  test.lastPopup = menu;
  test.lastPopupStates.clear();
  for (const MenuSpec& top : w->form.menus) {
    if (top.id != menu) continue;
    for (const MenuSpec& item : top.items) {
      test.lastPopupStates.push_back(item.caption != "-" && MenuItem(window, item.id).Disabled());
    }
  }

  POINT at{};
  GetCursorPos(&at);
  // Under a driver the menu is answered from inside its own loop.
  if (test.active) PostMessageW(w->hwnd, kMsgAnswerPopup, 0, 0);
  const HWND hwnd = w->hwnd;
  TrackPopupMenu(popup, TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN, at.x + 3, at.y + 3, 0, hwnd, nullptr);
}

int RunEventLoop() {
  MSG msg{};
  while (!TheBody().windows.empty()) {
    FlushAllEdits();
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == -1) return -1;
    if (got == 0) return static_cast<int>(msg.wParam);
    PumpOne(msg);
  }
  TheBody().destroyed.clear();
  return 0;
}

// ---- window attributes ----

int Window::ClientWidth() const {
  WindowRecord* w = FindWindowRecord(window());
  RECT r{};
  if (!w || !GetClientRect(w->hwnd, &r)) return 0;
  return r.right - r.left;
}

int Window::ClientHeight() const {
  WindowRecord* w = FindWindowRecord(window());
  RECT r{};
  if (!w || !GetClientRect(w->hwnd, &r)) return 0;
  return r.bottom - r.top;
}

bool Window::IsOpen() const { return FindWindowRecord(window()) != nullptr; }

// ---- menu items ----

bool MenuItem::Disabled() const {
  WindowRecord* w = FindWindowRecord(window_);
  if (!w) return false;
  auto it = w->menus.find(id_);
  return it != w->menus.end() && it->second.disabled;
}

void MenuItem::SetDisabled(bool disabled) const {
  WindowRecord* w = FindWindowRecord(window_);
  if (!w) return;
  auto it = w->menus.find(id_);
  if (it == w->menus.end()) return;
  MenuEntry& entry = it->second;
  entry.disabled = disabled;
  if (entry.separator) return;
  EnableMenuItem(entry.parent, entry.position, MF_BYPOSITION | (disabled ? MF_GRAYED : MF_ENABLED));
  if (entry.topLevel) DrawMenuBar(w->hwnd);
}
