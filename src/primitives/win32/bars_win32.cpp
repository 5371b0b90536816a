// The status bar and the toolbar.
#include "primitives/win32/body.h"

namespace win32_body {

void ApplyStatusParts(ControlRecord& c) {
  // Right edges are the running sums of the widths; a width of -1 runs to
  // the end of the bar, and so does every part after it.
  std::vector<int> edges;
  int edge = 0;
  bool toEnd = false;
  for (int width : c.partWidths) {
    if (toEnd || width == -1) {
      toEnd = true;
      edges.push_back(-1);
    } else {
      edge += width;
      edges.push_back(edge);
    }
  }
  if (edges.empty()) return;
  SendMessageW(c.hwnd, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
  for (std::size_t i = 0; i < c.partTexts.size(); ++i) {
    SendMessageW(c.hwnd, SB_SETTEXTW, i, reinterpret_cast<LPARAM>(Shown(c.partTexts[i]).c_str()));
  }
}

void DockBars(WindowRecord& w) {
  for (auto& [id, c] : w.controls) {
    if (c->type == ControlType::StatusBar) SendMessageW(c->hwnd, WM_SIZE, 0, 0);
    if (c->type == ControlType::ToolBar) SendMessageW(c->hwnd, TB_AUTOSIZE, 0, 0);
  }
}

bool ToolTipNotify(WindowRecord& w, NMHDR* header) {
  if (header->code != TTN_GETDISPINFOW) return false;
  for (auto& [id, c] : w.controls) {
    if (c->type != ControlType::ToolBar) continue;
    if (reinterpret_cast<HWND>(SendMessageW(c->hwnd, TB_GETTOOLTIPS, 0, 0)) != header->hwndFrom) continue;
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
    const auto position = static_cast<std::size_t>(header->idFrom) - 1;
    if (position < c->tips.size()) info->lpszText = c->tips[position].data();
    return true;
  }
  return false;
}

}  // namespace win32_body

using namespace win32_body;

namespace {

ControlRecord* Part(WindowId window, int id, int part) {
  ControlRecord* c = ControlOf(window, id, ControlType::StatusBar);
  return c && part >= 0 && part < static_cast<int>(c->partWidths.size()) ? c : nullptr;
}

ControlRecord* Position(WindowId window, int id, int position) {
  ControlRecord* c = ControlOf(window, id, ControlType::ToolBar);
  return c && position >= 0 && position < static_cast<int>(c->tips.size()) ? c : nullptr;
}

}  // namespace

void StatusBar::SetPartText(int part, const Text& text) const {
  ControlRecord* c = Part(window(), id(), part);
  if (!c) return;
  c->partTexts[static_cast<std::size_t>(part)] = text;
  SendMessageW(c->hwnd, SB_SETTEXTW, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(Shown(text).c_str()));
}

Text StatusBar::PartText(int part) const {
  ControlRecord* c = Part(window(), id(), part);
  return c ? c->partTexts[static_cast<std::size_t>(part)] : Text();
}

void StatusBar::SetPartWidth(int part, int width) const {
  ControlRecord* c = Part(window(), id(), part);
  if (!c) return;
  c->partWidths[static_cast<std::size_t>(part)] = width;
  ApplyStatusParts(*c);
}

int StatusBar::PartWidth(int part) const {
  ControlRecord* c = Part(window(), id(), part);
  return c ? c->partWidths[static_cast<std::size_t>(part)] : -1;
}

void ToolBar::SetButtonEnabled(int position, bool enabled) const {
  if (ControlRecord* c = Position(window(), id(), position)) {
    SendMessageW(c->hwnd, TB_ENABLEBUTTON, static_cast<WPARAM>(position + 1), MAKELPARAM(enabled ? TRUE : FALSE, 0));
  }
}

bool ToolBar::ButtonEnabled(int position) const {
  ControlRecord* c = Position(window(), id(), position);
  return c && SendMessageW(c->hwnd, TB_ISBUTTONENABLED, static_cast<WPARAM>(position + 1), 0) != 0;
}
