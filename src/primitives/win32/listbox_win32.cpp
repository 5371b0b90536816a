// The operation log: a list box showing a copy of the items whose bytes it keeps.
#include "primitives/win32/body.h"

using namespace win32_body;

namespace {

ControlRecord* Box(WindowId window, int id) { return ControlOf(window, id, ControlType::ListBox); }

}  // namespace

int ListBox::AddListItem(const Text& text) const {
  ControlRecord* c = Box(window(), id());
  if (!c) return -1;
  const auto index = static_cast<int>(SendMessageW(c->hwnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Shown(text).c_str())));
  if (index < 0) return -1;
  c->items.push_back(text);
  return index;
}

Text ListBox::GetListItemText(int index) const {
  ControlRecord* c = Box(window(), id());
  if (!c || index < 0 || index >= static_cast<int>(c->items.size())) return Text();
  return c->items[static_cast<std::size_t>(index)];
}

int ListBox::ListItemCount() const {
  ControlRecord* c = Box(window(), id());
  return c ? static_cast<int>(c->items.size()) : 0;
}

int ListBox::CurrentSelection() const {
  ControlRecord* c = Box(window(), id());
  if (!c) return -1;
  const auto index = static_cast<int>(SendMessageW(c->hwnd, LB_GETCURSEL, 0, 0));
  return index < 0 ? -1 : index;
}
