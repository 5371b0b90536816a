// The entry list: a report list view whose cells ask for their text; the
// bytes of every cell live in `rows`, kept in step with the list's rows.
#include <algorithm>

#include "primitives/win32/body.h"
#include "primitives/win32/shown_text.h"

namespace win32_body {

namespace {

bool HasRow(const ControlRecord& c, int row) { return row >= 0 && row < static_cast<int>(c.rows.size()); }

const Text* Cell(const ControlRecord& c, int row, int column) {
  if (!HasRow(c, row) || column < 0) return nullptr;
  const auto& cells = c.rows[static_cast<std::size_t>(row)];
  return column < static_cast<int>(cells.size()) ? &cells[static_cast<std::size_t>(column)] : nullptr;
}

void BeginLabelEdit(ControlRecord& c, const NMLVDISPINFOW& info) {
  c.editingRow = info.item.iItem;
  const HWND edit = reinterpret_cast<HWND>(SendMessageW(c.hwnd, LVM_GETEDITCONTROL, 0, 0));
  const Text* text = Cell(c, info.item.iItem, 0);
  if (!edit || !text) return;
  // The list would cut the text to its display buffer; a line of any
  // length is edited whole.
  SendMessageW(edit, EM_SETLIMITTEXT, 0x7FFFFFFE, 0);
  SetWindowTextW(edit, Shown(*text).c_str());
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
  const Text* old = now ? Cell(*now, row, 0) : nullptr;
  if (!old) return;
  Text bytes;
  if (!ApplyTyping(*old, Shown(*old), after, &bytes)) {
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
      if (info->item.mask & LVIF_TEXT) {
        const Text* text = Cell(c, info->item.iItem, info->item.iSubItem);
        if (text) {
          CopyShownText(*text, info->item.pszText, info->item.cchTextMax);
        } else if (info->item.pszText && info->item.cchTextMax > 0) {
          info->item.pszText[0] = L'\0';
        }
      }
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
    case LVN_ITEMCHANGED: {
      const auto* change = reinterpret_cast<NMLISTVIEW*>(header);
      if ((change->uChanged & LVIF_STATE) && HasRow(c, change->iItem) &&
          ((change->uNewState ^ change->uOldState) & LVIS_STATEIMAGEMASK)) {
        c.checks[static_cast<std::size_t>(change->iItem)] = ((change->uNewState & LVIS_STATEIMAGEMASK) >> 12) == 2;
      }
      return false;
    }
    case NM_CLICK: Raise(c.window, c.id, Event::Clicked); return true;
    default: return false;
  }
}

// The list tracks a press itself and, on Windows, takes the release from
// the queue before it returns; the handlers still see press, the list's
// click, then release, in that order.
bool ListMouse(ControlRecord& c, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  const HWND hwnd = c.hwnd;
  const WindowId window = c.window;
  const int id = c.id;
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      Raise(window, id, message == WM_LBUTTONDOWN ? Event::MouseDown : Event::DoubleClick);
      DeliverAfterPress();
      c.owesMouseUp = true;
      *result = DefSubclassProc(hwnd, message, wParam, lParam);
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
      *result = DefSubclassProc(hwnd, message, wParam, lParam);
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
    default: return false;
  }
}

}  // namespace win32_body

using namespace win32_body;

namespace {

ControlRecord* List(WindowId window, int id) { return ControlOf(window, id, ControlType::ListView); }

bool HasRow(const ControlRecord* c, int row) {
  return c && row >= 0 && row < static_cast<int>(c->rows.size());
}

void SetState(HWND list, int row, UINT state, UINT mask) {
  LVITEMW item{};
  item.state = state;
  item.stateMask = mask;
  SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

}  // namespace

int ListView::RowCount() const {
  ControlRecord* c = List(window(), id());
  return c ? static_cast<int>(c->rows.size()) : 0;
}

int ListView::InsertRow(int position, const Text& text) const {
  ControlRecord* c = List(window(), id());
  if (!c) return -1;
  const int count = static_cast<int>(c->rows.size());
  if (position < 0 || position > count) position = count;
  const std::size_t columns = std::max<std::size_t>(c->design->columns.size(), 1);
  std::vector<Text> cells(columns);
  cells[0] = text;
  // In place before the list asks for the new row's text.
  c->rows.insert(c->rows.begin() + position, std::move(cells));
  c->checks.insert(c->checks.begin() + position, false);
  HoldRedraw(*c);
  LVITEMW item{};
  item.mask = LVIF_TEXT | LVIF_IMAGE;
  item.iItem = position;
  item.pszText = LPSTR_TEXTCALLBACKW;
  item.iImage = I_IMAGENONE;
  if (c->design->style & kCheckBoxes) {
    item.mask |= LVIF_STATE;
    item.state = INDEXTOSTATEIMAGEMASK(1);
    item.stateMask = LVIS_STATEIMAGEMASK;
  }
  const auto at = static_cast<int>(SendMessageW(c->hwnd, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
  if (at != position) {
    if (at >= 0) SendMessageW(c->hwnd, LVM_DELETEITEM, static_cast<WPARAM>(at), 0);
    c->rows.erase(c->rows.begin() + position);
    c->checks.erase(c->checks.begin() + position);
    return -1;
  }
  for (std::size_t column = 1; column < columns; ++column) {
    LVITEMW sub{};
    sub.iSubItem = static_cast<int>(column);
    sub.pszText = LPSTR_TEXTCALLBACKW;
    SendMessageW(c->hwnd, LVM_SETITEMTEXTW, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(&sub));
  }
  return position;
}

void ListView::SetCellText(int row, int column, const Text& text) const {
  ControlRecord* c = List(window(), id());
  if (!HasRow(c, row) || column < 0) return;
  auto& cells = c->rows[static_cast<std::size_t>(row)];
  if (column >= static_cast<int>(cells.size())) return;
  cells[static_cast<std::size_t>(column)] = text;
  // The list asks for cell texts as it draws; it draws the whole list again
  // once the held redraw is handed over.
  HoldRedraw(*c);
}

Text ListView::GetCellText(int row, int column) const {
  ControlRecord* c = List(window(), id());
  if (!HasRow(c, row) || column < 0) return Text();
  const auto& cells = c->rows[static_cast<std::size_t>(row)];
  return column < static_cast<int>(cells.size()) ? cells[static_cast<std::size_t>(column)] : Text();
}

void ListView::SetRowChecked(int row, int checked) const {
  ControlRecord* c = List(window(), id());
  if (!HasRow(c, row)) return;
  HoldRedraw(*c);
  SetState(c->hwnd, row, INDEXTOSTATEIMAGEMASK(checked ? 2 : 1), LVIS_STATEIMAGEMASK);
}

int ListView::GetRowChecked(int row) const {
  ControlRecord* c = List(window(), id());
  if (!HasRow(c, row)) return -1;
  return c->checks[static_cast<std::size_t>(row)] ? 1 : 0;
}

Text ListView::JoinedColumn(int column, const Text& separator, bool checkedOnly) const {
  ControlRecord* c = List(window(), id());
  if (!c || column < 0) return Text();
  Text joined;
  for (int row = 0; row < static_cast<int>(c->rows.size()); ++row) {
    if (checkedOnly && GetRowChecked(row) != 1) continue;
    const auto& cells = c->rows[static_cast<std::size_t>(row)];
    if (column < static_cast<int>(cells.size())) joined += cells[static_cast<std::size_t>(column)];
    joined += separator;
  }
  return joined;
}

int ListView::SelectedRow() const {
  ControlRecord* c = List(window(), id());
  if (!c) return -1;
  return static_cast<int>(SendMessageW(c->hwnd, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void ListView::SelectRow(int row) const {
  ControlRecord* c = List(window(), id());
  if (!HasRow(c, row)) return;
  SetState(c->hwnd, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  SendMessageW(c->hwnd, LVM_SETSELECTIONMARK, 0, row);
}

bool ListView::DeleteRow(int row) const {
  ControlRecord* c = List(window(), id());
  if (!HasRow(c, row)) return false;
  if (!SendMessageW(c->hwnd, LVM_DELETEITEM, static_cast<WPARAM>(row), 0)) return false;
  c->rows.erase(c->rows.begin() + row);
  c->checks.erase(c->checks.begin() + row);
  return true;
}

void ListView::DeleteAllRows() const {
  ControlRecord* c = List(window(), id());
  if (!c) return;
  SendMessageW(c->hwnd, LVM_DELETEALLITEMS, 0, 0);
  c->rows.clear();
  c->checks.clear();
}

void ListView::EnsureRowVisible(int row) const {
  ControlRecord* c = List(window(), id());
  if (HasRow(c, row)) SendMessageW(c->hwnd, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
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
  const auto selected = static_cast<int>(SendMessageW(c->hwnd, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
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
