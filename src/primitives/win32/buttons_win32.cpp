// The tab control and the option buttons.
#include "primitives/win32/body.h"

using namespace win32_body;

int Tab::CurrentPage() const {
  ControlRecord* c = ControlOf(window(), id(), ControlType::Tab);
  return c ? static_cast<int>(SendMessageW(c->hwnd, TCM_GETCURSEL, 0, 0)) : -1;
}

void Tab::SetCurrentPage(int page) const {
  ControlRecord* c = ControlOf(window(), id(), ControlType::Tab);
  WindowRecord* w = FindWindowRecord(window());
  if (!c || !w || page < 0 || page >= static_cast<int>(c->design->pages.size())) return;
  // TCM_SETCURSEL sends no notification, so no event either.
  SendMessageW(c->hwnd, TCM_SETCURSEL, static_cast<WPARAM>(page), 0);
  ShowTabPage(*w, *c, page);
}

bool RadioBox::Checked() const {
  ControlRecord* c = ControlOf(window(), id(), ControlType::RadioBox);
  return c && SendMessageW(c->hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void RadioBox::SetChecked(bool checked) const {
  if (ControlRecord* c = ControlOf(window(), id(), ControlType::RadioBox)) {
    SendMessageW(c->hwnd, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  }
}
