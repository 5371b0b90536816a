// The entry list: a report list view whose cells ask for their text; the
// bytes of every cell live in `cells`, kept in step with the list's rows.
#include <windowsx.h>

#include <algorithm>

#include "primitives/win32/body.h"
#include "primitives/win32/shown_text.h"

namespace win32_body {

namespace {

int RowCountOf(const ControlRecord& c) { return static_cast<int>(c.checks.size()); }

bool HasRow(const ControlRecord& c, int row) { return row >= 0 && row < RowCountOf(c); }

bool HasCheckBoxes(const ControlRecord& c) { return (c.design->style & kCheckBoxes) != 0; }

UINT CheckImage(bool checked) { return INDEXTOSTATEIMAGEMASK(checked ? 2 : 1); }

void SetState(HWND list, int row, UINT state, UINT mask) {
  LVITEMW item{};
  item.state = state;
  item.stateMask = mask;
  SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

int NextItem(HWND list, UINT flags) {
  return static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), flags));
}

void ToggleCheck(ControlRecord& c, int row) {
  if (!HasRow(c, row)) return;
  const auto at = static_cast<std::size_t>(row);
  c.checks[at] = !c.checks[at];
  SendMessageW(c.hwnd, LVM_REDRAWITEMS, static_cast<WPARAM>(row), row);
}

// The row whose check box is under the point of a mouse message, or -1.
int CheckBoxUnder(const ControlRecord& c, LPARAM lParam) {
  if (!HasCheckBoxes(c)) return -1;
  LVHITTESTINFO hit{};
  hit.pt = POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  SendMessageW(c.hwnd, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  return (hit.flags & LVHT_ONITEMSTATEICON) && HasRow(c, hit.iItem) ? hit.iItem : -1;
}

// The row Space acts on: the focused one, else the selected one.
int KeyboardRow(const ControlRecord& c) {
  const int focused = NextItem(c.hwnd, LVNI_FOCUSED);
  return HasRow(c, focused) ? focused : NextItem(c.hwnd, LVNI_SELECTED);
}

// Type-ahead: the first row from `start` on (wrapping when asked) whose
// first column begins with the typed text, ignoring case.
int FindRow(const ControlRecord& c, const LVFINDINFOW& find, int start) {
  if (!(find.flags & (LVFI_STRING | LVFI_PARTIAL)) || !find.psz) return -1;
  const int count = RowCountOf(c);
  if (count == 0) return -1;
  const int typed = lstrlenW(find.psz);
  const bool partial = (find.flags & LVFI_PARTIAL) != 0;
  if (start < 0 || start >= count) start = 0;
  const int span = (find.flags & LVFI_WRAP) ? count : count - start;
  for (int k = 0; k < span; ++k) {
    const int row = (start + k) % count;
    const std::wstring shown = Shown(c.cells.View(row, 0));
    const int compared = partial ? std::min(typed, static_cast<int>(shown.size())) : static_cast<int>(shown.size());
    if (partial && compared < typed) continue;
    if (CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, shown.c_str(), compared, find.psz, typed) == CSTR_EQUAL) {
      return row;
    }
  }
  return -1;
}

void BeginLabelEdit(ControlRecord& c, const NMLVDISPINFOW& info) {
  c.editingRow = info.item.iItem;
  const HWND edit = reinterpret_cast<HWND>(SendMessageW(c.hwnd, LVM_GETEDITCONTROL, 0, 0));
  if (!edit || !c.cells.HasCell(info.item.iItem, 0)) return;
  // The list would cut the text to its display buffer; a line of any
  // length is edited whole.
  SendMessageW(edit, EM_SETLIMITTEXT, 0x7FFFFFFE, 0);
  SetWindowTextW(edit, Shown(c.cells.View(info.item.iItem, 0)).c_str());
}

void EndLabelEdit(ControlRecord& c, const NMLVDISPINFOW& info) {
  const WindowId window = c.window;
  const int id = c.id;
  const int row = info.item.iItem;
  c.editingRow = -1;
  // No text: cancelled, or confirmed unchanged.
  const bool typed = info.item.pszText != nullptr;
  const std::wstring after = typed ? std::wstring(info.item.pszText) : std::wstring();
  // Column 0 keeps the old text while the handler runs.
  const bool accepted = Raise(window, id, Event::LabelEditEnded, row);
  if (!typed || !accepted) return;
  ControlRecord* now = ControlOf(window, id, ControlType::ListView);
  if (!now || !now->cells.HasCell(row, 0)) return;
  const Text old(now->cells.View(row, 0));
  Text bytes;
  if (!ApplyTyping(old, Shown(old), after, &bytes)) {
    ShowMessage("输入的文字中有GBK编码无法表示的字符，未作修改。", kMbIconInformation, "失败");
    return;
  }
  ListView(window, id).SetCellText(row, 0, bytes);
}

bool ReleaseQueued(HWND hwnd) {
  MSG msg;
  return PeekMessageW(&msg, hwnd, WM_LBUTTONUP, WM_LBUTTONUP, PM_NOREMOVE | PM_NOYIELD) != 0;
}

}  // namespace

bool ListNotify(ControlRecord& c, NMHDR* header, LRESULT* result) {
  *result = 0;
  switch (header->code) {
    case LVN_GETDISPINFOW: {
      auto* info = reinterpret_cast<NMLVDISPINFOW*>(header);
      const int row = info->item.iItem;
      if (info->item.mask & LVIF_TEXT) {
        if (c.cells.HasCell(row, info->item.iSubItem)) {
          CopyShownText(c.cells.View(row, info->item.iSubItem), info->item.pszText, info->item.cchTextMax);
        } else if (info->item.pszText && info->item.cchTextMax > 0) {
          info->item.pszText[0] = L'\0';
        }
      }
      if (info->item.mask & LVIF_IMAGE) info->item.iImage = I_IMAGENONE;
      if ((info->item.mask & LVIF_STATE) && HasRow(c, row) && HasCheckBoxes(c)) {
        info->item.state = (info->item.state & ~LVIS_STATEIMAGEMASK) | CheckImage(c.checks[static_cast<std::size_t>(row)]);
        info->item.stateMask |= LVIS_STATEIMAGEMASK;
      }
      return true;
    }
    case LVN_ODFINDITEMW: {
      const auto* find = reinterpret_cast<NMLVFINDITEMW*>(header);
      *result = FindRow(c, find->lvfi, find->iStart);
      return true;
    }
    case LVN_BEGINLABELEDITW:
      BeginLabelEdit(c, *reinterpret_cast<NMLVDISPINFOW*>(header));
      *result = FALSE;
      return true;
    case LVN_ENDLABELEDITW:
      // FALSE: the list does not store the text; the body does, after the handler.
      EndLabelEdit(c, *reinterpret_cast<NMLVDISPINFOW*>(header));
      *result = FALSE;
      return true;
    case NM_CLICK: Raise(c.window, c.id, Event::Clicked); return true;
    default: return false;
  }
}

// The list tracks a press itself and, on Windows, takes the release from
// the queue before it returns; the handlers still see press, the list's
// click, then release, in that order. A press on a check box and the Space
// key turn the mark over here: an owner-data list keeps no marks itself.
bool ListInput(ControlRecord& c, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  const HWND hwnd = c.hwnd;
  const WNDPROC original = c.original;
  const WindowId window = c.window;
  const int id = c.id;
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      const Event press = message == WM_LBUTTONDOWN ? Event::MouseDown : Event::DoubleClick;
      if (const int row = CheckBoxUnder(c, lParam); row >= 0) {
        Raise(window, id, press);
        DeliverAfterPress();
        SetFocus(hwnd);
        if (ControlRecord* now = ControlOf(window, id, ControlType::ListView)) ToggleCheck(*now, row);
        if (message == WM_LBUTTONDOWN) Raise(window, id, Event::Clicked);
        // The release comes as its own message: the list did not track this press.
        *result = 0;
        return true;
      }
      Raise(window, id, press);
      DeliverAfterPress();
      c.owesMouseUp = true;
      *result = CallWindowProcW(original, hwnd, message, wParam, lParam);
      ControlRecord* now = ControlOf(window, id, ControlType::ListView);
      if (now && now->owesMouseUp && GetKeyState(VK_LBUTTON) >= 0 && !ReleaseQueued(hwnd)) {
        now->owesMouseUp = false;
        Raise(window, id, Event::MouseUp);
      }
      return true;
    }
    case WM_LBUTTONUP: {
      // A release the list did not take: after the list, which may send its
      // click notification from here.
      *result = CallWindowProcW(original, hwnd, message, wParam, lParam);
      if (ControlRecord* now = ControlOf(window, id, ControlType::ListView)) now->owesMouseUp = false;
      Raise(window, id, Event::MouseUp);
      return true;
    }
    case WM_RBUTTONDOWN:
      Raise(window, id, Event::RightButtonDown);
      DeliverAfterPress();
      return false;
    case WM_MOUSEMOVE:
      Raise(window, id, Event::MouseMove);
      return false;
    case WM_KEYDOWN:
      if (wParam != VK_SPACE || !HasCheckBoxes(c)) return false;
      if (const int row = KeyboardRow(c); row >= 0) ToggleCheck(c, row);
      *result = 0;
      return true;
    case WM_CHAR:
      // The space turned a mark over; it is not the start of a type-ahead search.
      if (wParam != L' ' || !HasCheckBoxes(c)) return false;
      *result = 0;
      return true;
    default: return false;
  }
}

void SyncRowCount(ControlRecord& c) {
  const int count = RowCountOf(c);
  if (c.listCount == count) return;
  // Whoever changed the rows holds the redraw; the whole list is drawn
  // again when it is handed back.
  SendMessageW(c.hwnd, LVM_SETITEMCOUNT, static_cast<WPARAM>(count), LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
  c.listCount = count;
}

}  // namespace win32_body

using namespace win32_body;

namespace {

ControlRecord* List(WindowId window, int id) { return ControlOf(window, id, ControlType::ListView); }

bool HasRow(const ControlRecord* c, int row) { return c && win32_body::HasRow(*c, row); }

// An owner-data list keeps its selection and focus by index only. When
// rows come or go above them, they move with their rows, as they do in a
// list that holds its rows; a deleted row takes them with it.
void SyncRowsMovingMarks(ControlRecord& c, int changedAt, int delta) {
  const int selected = NextItem(c.hwnd, LVNI_SELECTED);
  const int focused = NextItem(c.hwnd, LVNI_FOCUSED);
  const auto moved = [&](int index) {
    if (index < changedAt) return index;
    return delta < 0 && index == changedAt ? -1 : index + delta;
  };
  if (moved(selected) == selected && moved(focused) == focused) {
    SyncRowCount(c);
    return;
  }
  SetState(c.hwnd, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  SyncRowCount(c);
  if (moved(selected) >= 0) SetState(c.hwnd, moved(selected), LVIS_SELECTED, LVIS_SELECTED);
  if (moved(focused) >= 0) SetState(c.hwnd, moved(focused), LVIS_FOCUSED, LVIS_FOCUSED);
}

}  // namespace

int ListView::RowCount() const {
  ControlRecord* c = List(window(), id());
  return c ? RowCountOf(*c) : 0;
}

int ListView::InsertRow(int position, std::string_view text) const {
  ControlRecord* c = List(window(), id());
  if (!c) return -1;
  const int count = RowCountOf(*c);
  if (position < 0 || position > count) position = count;
  c->cells.InsertRow(position, text);
  c->checks.insert(c->checks.begin() + position, false);
  HoldRedraw(*c);
  // Rows appended beyond what the list knows of move nothing; the list
  // learns the new count once, when the redraw is handed back. Filling a
  // long list sends no message per row.
  if (position < c->listCount) SyncRowsMovingMarks(*c, position, 1);
  return position;
}

void ListView::SetCellText(int row, int column, std::string_view text) const {
  ControlRecord* c = List(window(), id());
  if (!c || !c->cells.HasCell(row, column)) return;
  c->cells.Set(row, column, text);
  // The list asks for cell texts as it draws; it draws the whole list again
  // once the held redraw is handed over.
  HoldRedraw(*c);
}

Text ListView::GetCellText(int row, int column) const {
  return Text(CellView(row, column));
}

std::string_view ListView::CellView(int row, int column) const {
  ControlRecord* c = List(window(), id());
  return c && c->cells.HasCell(row, column) ? c->cells.View(row, column) : std::string_view();
}

void ListView::SetRowChecked(int row, int checked) const {
  ControlRecord* c = List(window(), id());
  if (!HasRow(c, row)) return;
  c->checks[static_cast<std::size_t>(row)] = checked != 0;
  HoldRedraw(*c);
}

int ListView::GetRowChecked(int row) const {
  ControlRecord* c = List(window(), id());
  if (!HasRow(c, row)) return -1;
  return c->checks[static_cast<std::size_t>(row)] ? 1 : 0;
}

Text ListView::JoinedColumn(int column, const Text& separator, bool checkedOnly) const {
  ControlRecord* c = List(window(), id());
  if (!c) return Text();
  if (!checkedOnly) return c->cells.Joined(column, separator);
  return c->cells.Joined(column, separator, [&](int row) { return c->checks[static_cast<std::size_t>(row)]; });
}

int ListView::SelectedRow() const {
  ControlRecord* c = List(window(), id());
  return c ? NextItem(c->hwnd, LVNI_SELECTED) : -1;
}

void ListView::SelectRow(int row) const {
  ControlRecord* c = List(window(), id());
  if (!HasRow(c, row)) return;
  SyncRowCount(*c);
  SetState(c->hwnd, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  SendMessageW(c->hwnd, LVM_SETSELECTIONMARK, 0, row);
}

bool ListView::DeleteRow(int row) const {
  ControlRecord* c = List(window(), id());
  if (!HasRow(c, row)) return false;
  c->cells.EraseRow(row);
  c->checks.erase(c->checks.begin() + row);
  HoldRedraw(*c);
  if (row < c->listCount) SyncRowsMovingMarks(*c, row, -1);
  return true;
}

void ListView::DeleteAllRows() const {
  ControlRecord* c = List(window(), id());
  if (!c) return;
  SendMessageW(c->hwnd, LVM_DELETEALLITEMS, 0, 0);
  c->cells.Clear();
  c->checks.clear();
  c->listCount = 0;
}

void ListView::EnsureRowVisible(int row) const {
  ControlRecord* c = List(window(), id());
  if (!HasRow(c, row)) return;
  SyncRowCount(*c);
  SendMessageW(c->hwnd, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

void ListView::SetColumnWidth(int column, int width) const {
  ControlRecord* c = List(window(), id());
  if (!c || column < 0 || column >= static_cast<int>(c->columnWidths.size())) return;
  c->columnWidths[static_cast<std::size_t>(column)] = width;
  // Negative widths have meanings of their own to the list (autosize).
  SendMessageW(c->hwnd, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), MAKELPARAM(std::max(0, width), 0));
}

int ListView::ColumnWidth(int column) const {
  ControlRecord* c = List(window(), id());
  if (!c || column < 0 || column >= static_cast<int>(c->columnWidths.size())) return 0;
  const int written = c->columnWidths[static_cast<std::size_t>(column)];
  const auto actual = static_cast<int>(SendMessageW(c->hwnd, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
  return actual == std::max(0, written) ? written : actual;
}

void ListView::EditRowLabel(int row) const {
  ControlRecord* c = List(window(), id());
  if (!HasRow(c, row) || !(c->design->style & kEditLabels)) return;
  // The edit field goes over the row where the list draws it now.
  FlushAllEdits();
  const int selected = NextItem(c->hwnd, LVNI_SELECTED);
  SetFocus(c->hwnd);
  SendMessageW(c->hwnd, LVM_EDITLABELW, static_cast<WPARAM>(row), 0);
  // LVM_EDITLABEL also selects the row it edits; the selection belongs to
  // the commands and stays where it was (after an insert above, on the row
  // below the new one).
  if (selected != row) {
    Muted quiet;
    SetState(c->hwnd, row, 0, LVIS_SELECTED);
    if (selected >= 0) SetState(c->hwnd, selected, LVIS_SELECTED, LVIS_SELECTED);
  }
}
