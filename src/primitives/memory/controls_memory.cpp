#include <algorithm>
#include <cstdlib>
#include <cstdio>
#include <filesystem>

#include "primitives/memory/body.h"

namespace memory_body {

namespace {

// The screen the stand-in windows live on.

ControlState StateFor(const ControlSpec& design) {
  ControlState c;
  c.type = design.type;
  c.id = design.id;
  c.parent = design.parent;
  c.page = design.page;
  c.style = design.style;
  c.geometry = design.geometry;
  c.visible = (design.style & kHidden) == 0;
  c.caption = design.caption;
  c.checked = (design.style & kChecked) != 0;
  for (const ColumnSpec& column : design.columns) c.columnWidths.push_back(column.width);
  c.cells = TextTable(static_cast<int>(design.columns.size()));
  for (const StatusPartSpec& part : design.parts) c.parts.push_back(StatusPart{part.width, part.text});
  for (const ToolButtonSpec& button : design.buttons) {
    c.buttonEnabled.push_back(true);
    c.separator.push_back(button.image < 0);
  }
  c.filter = design.filter;
  return c;
}

void ShowPage(WindowState& w, int tab, int page) {
  ControlState& t = w.controls.at(tab);
  t.currentPage = page;
  for (auto& [id, c] : w.controls) {
    if (c.parent == tab && c.page >= 0) c.visible = c.page == page;
  }
}

void MenuStates(const MenuSpec& menu, std::vector<const MenuSpec*>* out) {
  out->push_back(&menu);
  for (const MenuSpec& item : menu.items) MenuStates(item, out);
}

bool IsLow(char byte) { return static_cast<unsigned char>(byte) < 0x80; }

// The start of the character that `offset` lies in (the offset itself
// between characters). Characters are counted from a known boundary: a
// byte below 0x80 after another one is a character of its own, so the
// count starts after the last such pair before the offset (a line break
// is one), not at the beginning of a long text.
int CharacterStart(const Text& text, int offset) {
  auto from = static_cast<std::size_t>(std::clamp(offset, 0, TextLength(text)));
  const std::size_t target = from;
  while (from > 0 && !(IsLow(text[from - 1]) && (from == 1 || IsLow(text[from - 2])))) --from;
  for (std::size_t step; from < target; from += step) {
    step = !IsLow(text[from]) && from + 1 < text.size() ? 2 : 1;
    if (from + step > target) break;
  }
  return static_cast<int>(from);
}

// The edit box selects [start, start + length) of its content, clamped, in
// whole characters: the real control selects one unit per character, so an
// end inside a two-byte character moves back to that character's start.
void ApplySelection(ControlState& e) {
  const int length = TextLength(e.content);
  const int start = std::clamp(e.rememberedStart, 0, length);
  const int end = start + std::clamp(e.rememberedLength, 0, length - start);
  e.selectionStart = CharacterStart(e.content, start);
  e.selectionLength = CharacterStart(e.content, end) - e.selectionStart;
}

}  // namespace

Body& TheBody() {
  static Body body;
  return body;
}

WindowState* FindWindow(WindowId window) {
  auto& windows = TheBody().windows;
  auto it = windows.find(window);
  return it == windows.end() ? nullptr : it->second.get();
}

ControlState* FindControl(WindowId window, int id) {
  auto& last = TheBody().lastFound;
  if (last.control && last.window == window && last.id == id) return last.control;
  WindowState* w = FindWindow(window);
  if (!w) return nullptr;
  auto it = w->controls.find(id);
  if (it == w->controls.end()) return nullptr;
  last = {window, id, &it->second};
  return &it->second;
}

const MenuSpec* FindMenu(const WindowState& w, int id) {
  std::vector<const MenuSpec*> all;
  for (const MenuSpec& menu : w.form.menus) MenuStates(menu, &all);
  for (const MenuSpec* m : all) {
    if (m->id == id) return m;
  }
  return nullptr;
}

bool MenuItemEnabled(const WindowState& w, int id) {
  if (!FindMenu(w, id)) return false;
  auto disabled = [&](int item) {
    auto it = w.menuDisabled.find(item);
    return it != w.menuDisabled.end() && it->second;
  };
  if (disabled(id)) return false;
  for (const MenuSpec& top : w.form.menus) {
    for (const MenuSpec& item : top.items) {
      if (item.id == id) return !disabled(top.id);
    }
  }
  return true;
}

int FrameWidth(const WindowState&) { return 6; }
int FrameHeight(const WindowState& w) { return w.form.menus.empty() ? 25 : 45; }

void ResizeWindow(WindowId window, int width, int height) {
  WindowState* w = FindWindow(window);
  if (!w) return;
  w->geometry.width = width;
  w->geometry.height = height;
  // Docked bars keep to their edges, as the real ones do.
  const int clientWidth = std::max(0, width - FrameWidth(*w));
  const int clientHeight = std::max(0, height - FrameHeight(*w));
  for (auto& [id, c] : w->controls) {
    if (c.type == ControlType::ToolBar) {
      c.geometry.left = 0;
      c.geometry.top = 0;
      c.geometry.width = clientWidth;
    }
    if (c.type == ControlType::StatusBar) c.geometry.top = clientHeight - c.geometry.height;
  }
  Raise(window, 0, Event::SizeChanged);
}

void RunPending() {
  Body& body = TheBody();
  // Commands chosen from a pop-up run once the event that showed it ends.
  while (!body.pendingCommands.empty()) {
    const int item = body.pendingCommands.front();
    const WindowId in = body.pendingCommandWindows.front();
    body.pendingCommands.erase(body.pendingCommands.begin());
    body.pendingCommandWindows.erase(body.pendingCommandWindows.begin());
    WindowState* target = FindWindow(in);
    if (target && MenuItemEnabled(*target, item)) Raise(in, item, Event::Chosen);
  }
  std::vector<WindowId> closing;
  for (auto& [id, state] : body.windows) {
    if (state->closePending) closing.push_back(id);
  }
  for (WindowId id : closing) DestroyWindow(id);
}

bool Raise(WindowId window, int control, Event event, int argument) {
  Body& body = TheBody();
  WindowState* w = FindWindow(window);
  if (!w) return true;
  const Handler* handler = w->form.Find(control, event);
  bool answer = true;
  ++body.dispatchDepth;
  if (handler) answer = RunHandler(*handler, argument);
  --body.dispatchDepth;
  if (body.dispatchDepth == 0) RunPending();
  return answer;
}

void DestroyWindow(WindowId window) {
  Body& body = TheBody();
  auto it = body.windows.find(window);
  if (it == body.windows.end()) return;
  for (WindowId other : it->second->disabledByMe) {
    if (WindowState* o = FindWindow(other)) o->disabled = false;
  }
  body.lastFound = {};
  body.windows.erase(it);
}

void RequestClose(WindowId window) {
  WindowState* w = FindWindow(window);
  if (!w || w->disabled) return;
  if (Raise(window, 0, Event::MayClose)) DestroyWindow(window);
}

}  // namespace memory_body

using namespace memory_body;

namespace {

ControlState* Get(WindowId window, int id, ControlType type) {
  ControlState* c = FindControl(window, id);
  return c && c->type == type ? c : nullptr;
}

}  // namespace

// ---- attributes of every control and of windows ----

int Control::Left() const {
  if (id_ == 0) {
    WindowState* w = FindWindow(window_);
    return w ? w->geometry.left : 0;
  }
  ControlState* c = FindControl(window_, id_);
  return c ? c->geometry.left : 0;
}

int Control::Top() const {
  if (id_ == 0) {
    WindowState* w = FindWindow(window_);
    return w ? w->geometry.top : 0;
  }
  ControlState* c = FindControl(window_, id_);
  return c ? c->geometry.top : 0;
}

int Control::Width() const {
  if (id_ == 0) {
    WindowState* w = FindWindow(window_);
    return w ? w->geometry.width : 0;
  }
  ControlState* c = FindControl(window_, id_);
  return c ? c->geometry.width : 0;
}

int Control::Height() const {
  if (id_ == 0) {
    WindowState* w = FindWindow(window_);
    return w ? w->geometry.height : 0;
  }
  ControlState* c = FindControl(window_, id_);
  return c ? c->geometry.height : 0;
}

void Control::SetLeft(int value) const {
  if (id_ == 0) {
    if (WindowState* w = FindWindow(window_)) w->geometry.left = value;
  } else if (ControlState* c = FindControl(window_, id_)) {
    c->geometry.left = value;
  }
}

void Control::SetTop(int value) const {
  if (id_ == 0) {
    if (WindowState* w = FindWindow(window_)) w->geometry.top = value;
  } else if (ControlState* c = FindControl(window_, id_)) {
    c->geometry.top = value;
  }
}

void Control::SetWidth(int value) const {
  if (id_ == 0) {
    if (WindowState* w = FindWindow(window_)) ResizeWindow(window_, value, w->geometry.height);
  } else if (ControlState* c = FindControl(window_, id_)) {
    c->geometry.width = value;
  }
}

void Control::SetHeight(int value) const {
  if (id_ == 0) {
    if (WindowState* w = FindWindow(window_)) ResizeWindow(window_, w->geometry.width, value);
  } else if (ControlState* c = FindControl(window_, id_)) {
    c->geometry.height = value;
  }
}

bool Control::Disabled() const {
  if (id_ == 0) {
    WindowState* w = FindWindow(window_);
    return w && w->disabled;
  }
  ControlState* c = FindControl(window_, id_);
  return c && c->disabled;
}

void Control::SetDisabled(bool disabled) const {
  if (id_ == 0) {
    if (WindowState* w = FindWindow(window_)) w->disabled = disabled;
  } else if (ControlState* c = FindControl(window_, id_)) {
    c->disabled = disabled;
  }
}

Text Control::Caption() const {
  if (id_ == 0) {
    WindowState* w = FindWindow(window_);
    return w ? w->caption : Text();
  }
  ControlState* c = FindControl(window_, id_);
  return c ? c->caption : Text();
}

void Control::SetCaption(const Text& caption) const {
  if (id_ == 0) {
    if (WindowState* w = FindWindow(window_)) w->caption = caption;
  } else if (ControlState* c = FindControl(window_, id_)) {
    c->caption = caption;
  }
}

int Window::ClientWidth() const {
  WindowState* w = FindWindow(window());
  return w && !w->minimized ? std::max(0, w->geometry.width - FrameWidth(*w)) : 0;
}

int Window::ClientHeight() const {
  WindowState* w = FindWindow(window());
  return w && !w->minimized ? std::max(0, w->geometry.height - FrameHeight(*w)) : 0;
}

bool Window::IsOpen() const { return FindWindow(window()) != nullptr; }

// ---- tree ----

int TreeBox::AddTreeItem(int parent, std::string_view text, int image) const {
  ControlState* c = Get(window(), id(), ControlType::TreeBox);
  if (!c) return -1;
  const int index = c->tree.Append(parent, TreeItem{image, false});
  c->treeTexts.Insert(index, text);
  if (c->selectedItem >= index) ++c->selectedItem;
  return index;
}

int TreeBox::TreeItemCount() const {
  ControlState* c = Get(window(), id(), ControlType::TreeBox);
  return c ? c->tree.Count() : 0;
}

Text TreeBox::GetTreeItemText(int item) const {
  ControlState* c = Get(window(), id(), ControlType::TreeBox);
  return c && c->tree.Contains(item) ? c->treeTexts.Get(item) : Text();
}

Text TreeBox::JoinedItemTexts(const Text& separator) const {
  ControlState* c = Get(window(), id(), ControlType::TreeBox);
  return c ? c->treeTexts.Joined(separator) : Text();
}

void TreeBox::ExpandTreeItem(int item) const {
  ControlState* c = Get(window(), id(), ControlType::TreeBox);
  if (c && c->tree.Contains(item)) c->tree[item].expanded = true;
}

void TreeBox::ClearTree() const {
  ControlState* c = Get(window(), id(), ControlType::TreeBox);
  if (!c) return;
  c->tree.Clear();
  c->treeTexts.Clear();
  c->selectedItem = -1;
}

int TreeBox::SelectedItem() const {
  ControlState* c = Get(window(), id(), ControlType::TreeBox);
  return c ? c->selectedItem : -1;
}

// ---- entry list ----

namespace {

bool HasRow(const ControlState* c, int row) {
  return c && row >= 0 && row < static_cast<int>(c->rowChecked.size());
}

}  // namespace

int ListView::RowCount() const {
  ControlState* c = Get(window(), id(), ControlType::ListView);
  return c ? static_cast<int>(c->rowChecked.size()) : 0;
}

int ListView::InsertRow(int position, std::string_view text) const {
  ControlState* c = Get(window(), id(), ControlType::ListView);
  if (!c) return -1;
  const int count = static_cast<int>(c->rowChecked.size());
  if (position < 0 || position > count) position = count;
  c->cells.InsertRow(position, text);
  c->rowChecked.insert(c->rowChecked.begin() + position, 0);
  for (int* index : {&c->selectedRow, &c->focusedRow, &c->editingRow}) {
    if (*index >= position) ++*index;
  }
  return position;
}

void ListView::SetCellText(int row, int column, std::string_view text) const {
  ControlState* c = Get(window(), id(), ControlType::ListView);
  if (c && c->cells.HasCell(row, column)) c->cells.Set(row, column, text);
}

Text ListView::GetCellText(int row, int column) const {
  return Text(CellView(row, column));
}

std::string_view ListView::CellView(int row, int column) const {
  ControlState* c = Get(window(), id(), ControlType::ListView);
  return c && c->cells.HasCell(row, column) ? c->cells.View(row, column) : std::string_view();
}

Text ListView::JoinedColumn(int column, const Text& separator, bool checkedOnly) const {
  ControlState* c = Get(window(), id(), ControlType::ListView);
  if (!c) return Text();
  if (!checkedOnly) return c->cells.Joined(column, separator);
  return c->cells.Joined(column, separator, [&](int row) { return c->rowChecked[static_cast<std::size_t>(row)] == 1; });
}

void ListView::SetRowChecked(int row, int checked) const {
  ControlState* c = Get(window(), id(), ControlType::ListView);
  if (HasRow(c, row)) c->rowChecked[static_cast<std::size_t>(row)] = checked ? 1 : 0;
}

int ListView::GetRowChecked(int row) const {
  ControlState* c = Get(window(), id(), ControlType::ListView);
  return HasRow(c, row) ? c->rowChecked[static_cast<std::size_t>(row)] : -1;
}

int ListView::SelectedRow() const {
  ControlState* c = Get(window(), id(), ControlType::ListView);
  return c ? c->selectedRow : -1;
}

void ListView::SelectRow(int row) const {
  ControlState* c = Get(window(), id(), ControlType::ListView);
  if (!HasRow(c, row)) return;
  c->selectedRow = row;
  c->focusedRow = row;
}

bool ListView::DeleteRow(int row) const {
  ControlState* c = Get(window(), id(), ControlType::ListView);
  if (!HasRow(c, row)) return false;
  c->cells.EraseRow(row);
  c->rowChecked.erase(c->rowChecked.begin() + row);
  for (int* index : {&c->selectedRow, &c->focusedRow, &c->editingRow}) {
    if (*index == row) *index = -1;
    else if (*index > row) --*index;
  }
  return true;
}

void ListView::DeleteAllRows() const {
  ControlState* c = Get(window(), id(), ControlType::ListView);
  if (!c) return;
  c->cells.Clear();
  c->rowChecked.clear();
  c->selectedRow = c->focusedRow = c->editingRow = -1;
}

void ListView::EnsureRowVisible(int) const {}

void ListView::SetColumnWidth(int column, int width) const {
  ControlState* c = Get(window(), id(), ControlType::ListView);
  if (c && column >= 0 && column < static_cast<int>(c->columnWidths.size())) {
    c->columnWidths[static_cast<std::size_t>(column)] = width;
  }
}

int ListView::ColumnWidth(int column) const {
  ControlState* c = Get(window(), id(), ControlType::ListView);
  if (c && column >= 0 && column < static_cast<int>(c->columnWidths.size())) {
    return c->columnWidths[static_cast<std::size_t>(column)];
  }
  return 0;
}

void ListView::EditRowLabel(int row) const {
  ControlState* c = Get(window(), id(), ControlType::ListView);
  if (!HasRow(c, row) || (c->style & kEditLabels) == 0) return;
  c->editingRow = row;
}

// ---- edit boxes ----

Text EditBox::Content() const {
  ControlState* c = Get(window(), id(), ControlType::EditBox);
  return c ? c->content : Text();
}

void EditBox::SetContent(Text text) const {
  ControlState* c = Get(window(), id(), ControlType::EditBox);
  if (!c) return;
  c->content = std::move(text);
  c->selectionStart = 0;
  c->selectionLength = 0;
  Raise(window(), id(), Event::ContentChanged);
}

int EditBox::SelectionStart() const {
  ControlState* c = Get(window(), id(), ControlType::EditBox);
  return c ? c->selectionStart : 0;
}

int EditBox::SelectionLength() const {
  ControlState* c = Get(window(), id(), ControlType::EditBox);
  return c ? c->selectionLength : 0;
}

void EditBox::SetSelectionStart(int value) const {
  ControlState* c = Get(window(), id(), ControlType::EditBox);
  if (!c) return;
  if (value >= 0) {
    c->rememberedStart = value;
  } else if (value == -1) {
    c->rememberedStart = TextLength(c->content);
    c->rememberedLength = 0;
  } else {
    c->rememberedStart = 0;
  }
  ApplySelection(*c);
}

void EditBox::SetSelectionLength(int value) const {
  ControlState* c = Get(window(), id(), ControlType::EditBox);
  if (!c) return;
  if (value >= 0) {
    c->rememberedLength = value;
  } else if (value == -1) {
    c->rememberedStart = 0;
    c->rememberedLength = TextLength(c->content);
  } else {
    c->rememberedLength = 0;
  }
  ApplySelection(*c);
}

void EditBox::AppendText(const Text& text) const {
  ControlState* c = Get(window(), id(), ControlType::EditBox);
  if (!c) return;
  c->content += text;
  c->selectionStart = TextLength(c->content);
  c->selectionLength = 0;
  Raise(window(), id(), Event::ContentChanged);
}

// ---- log ----

int ListBox::AddListItem(const Text& text) const {
  ControlState* c = Get(window(), id(), ControlType::ListBox);
  if (!c) return -1;
  c->items.push_back(text);
  return static_cast<int>(c->items.size()) - 1;
}

Text ListBox::GetListItemText(int index) const {
  ControlState* c = Get(window(), id(), ControlType::ListBox);
  if (!c || index < 0 || index >= static_cast<int>(c->items.size())) return Text();
  return c->items[static_cast<std::size_t>(index)];
}

int ListBox::ListItemCount() const {
  ControlState* c = Get(window(), id(), ControlType::ListBox);
  return c ? static_cast<int>(c->items.size()) : 0;
}

int ListBox::CurrentSelection() const {
  ControlState* c = Get(window(), id(), ControlType::ListBox);
  return c ? c->currentItem : -1;
}

// ---- bars, tabs, option buttons ----

void StatusBar::SetPartText(int part, const Text& text) const {
  ControlState* c = Get(window(), id(), ControlType::StatusBar);
  if (c && part >= 0 && part < static_cast<int>(c->parts.size())) c->parts[static_cast<std::size_t>(part)].text = text;
}

Text StatusBar::PartText(int part) const {
  ControlState* c = Get(window(), id(), ControlType::StatusBar);
  if (!c || part < 0 || part >= static_cast<int>(c->parts.size())) return Text();
  return c->parts[static_cast<std::size_t>(part)].text;
}

void StatusBar::SetPartWidth(int part, int width) const {
  ControlState* c = Get(window(), id(), ControlType::StatusBar);
  if (c && part >= 0 && part < static_cast<int>(c->parts.size())) c->parts[static_cast<std::size_t>(part)].width = width;
}

int StatusBar::PartWidth(int part) const {
  ControlState* c = Get(window(), id(), ControlType::StatusBar);
  if (!c || part < 0 || part >= static_cast<int>(c->parts.size())) return -1;
  return c->parts[static_cast<std::size_t>(part)].width;
}

void ToolBar::SetButtonEnabled(int position, bool enabled) const {
  ControlState* c = Get(window(), id(), ControlType::ToolBar);
  if (c && position >= 0 && position < static_cast<int>(c->buttonEnabled.size())) {
    c->buttonEnabled[static_cast<std::size_t>(position)] = enabled;
  }
}

bool ToolBar::ButtonEnabled(int position) const {
  ControlState* c = Get(window(), id(), ControlType::ToolBar);
  return c && position >= 0 && position < static_cast<int>(c->buttonEnabled.size()) &&
         c->buttonEnabled[static_cast<std::size_t>(position)];
}

int Tab::CurrentPage() const {
  ControlState* c = Get(window(), id(), ControlType::Tab);
  return c ? c->currentPage : -1;
}

void Tab::SetCurrentPage(int page) const {
  WindowState* w = FindWindow(window());
  if (!w || !Get(window(), id(), ControlType::Tab) || page < 0) return;
  for (const ControlSpec& design : w->form.controls) {
    if (design.id == id() && page < static_cast<int>(design.pages.size())) ShowPage(*w, id(), page);
  }
}

bool RadioBox::Checked() const {
  ControlState* c = Get(window(), id(), ControlType::RadioBox);
  return c && c->checked;
}

void RadioBox::SetChecked(bool checked) const {
  if (ControlState* c = Get(window(), id(), ControlType::RadioBox)) c->checked = checked;
}

// ---- menus ----

bool MenuItem::Disabled() const {
  WindowState* w = FindWindow(window_);
  if (!w) return false;
  auto it = w->menuDisabled.find(id_);
  return it != w->menuDisabled.end() && it->second;
}

void MenuItem::SetDisabled(bool disabled) const {
  WindowState* w = FindWindow(window_);
  if (w && FindMenu(*w, id_)) w->menuDisabled[id_] = disabled;
}

// ---- the file dialog ----

int CommonDlg::DialogType() const {
  ControlState* c = Get(window(), id(), ControlType::CommonDlg);
  return c ? c->dialogType : 0;
}
void CommonDlg::SetDialogType(int type) const {
  if (ControlState* c = Get(window(), id(), ControlType::CommonDlg)) c->dialogType = type;
}
Text CommonDlg::Title() const {
  ControlState* c = Get(window(), id(), ControlType::CommonDlg);
  return c ? c->title : Text();
}
void CommonDlg::SetTitle(const Text& title) const {
  if (ControlState* c = Get(window(), id(), ControlType::CommonDlg)) c->title = title;
}
Text CommonDlg::FileName() const {
  ControlState* c = Get(window(), id(), ControlType::CommonDlg);
  return c ? c->fileName : Text();
}
void CommonDlg::SetFileName(const Text& name) const {
  if (ControlState* c = Get(window(), id(), ControlType::CommonDlg)) c->fileName = name;
}
Text CommonDlg::InitialFolder() const {
  ControlState* c = Get(window(), id(), ControlType::CommonDlg);
  return c ? c->initialFolder : Text();
}
void CommonDlg::SetInitialFolder(const Text& folder) const {
  if (ControlState* c = Get(window(), id(), ControlType::CommonDlg)) c->initialFolder = folder;
}
Text CommonDlg::Filter() const {
  ControlState* c = Get(window(), id(), ControlType::CommonDlg);
  return c ? c->filter : Text();
}
void CommonDlg::SetFilter(const Text& filter) const {
  if (ControlState* c = Get(window(), id(), ControlType::CommonDlg)) c->filter = filter;
}

namespace {

void Unexpected(const Text& what) {
  if (TheBody().reportUnexpected) {
    TheBody().reportUnexpected(what);
    return;
  }
  std::fprintf(stderr, "memory body: unexpected %s\n", what.c_str());
  std::abort();
}

// The answer a box gets that nobody expected: the most harmless button.
int HarmlessAnswer(int style) {
  switch (style & 0xF) {
    case kMbOkCancel:
    case kMbYesNoCancel: return kIdCancel;
    case kMbYesNo: return kIdNo;
    default: return kIdOk;
  }
}

}  // namespace

bool CommonDlg::ShowDialog() const {
  ControlState* c = Get(window(), id(), ControlType::CommonDlg);
  if (!c) return false;
  Body& body = TheBody();
  driver::ShownDialog shown{c->dialogType, c->title, c->fileName, c->initialFolder, c->filter, false};
  if (body.dialogAnswers.empty()) {
    shown.unexpected = true;
    body.shownDialogs.push_back(shown);
    Unexpected("file dialog \"" + c->title + "\"");
    return false;
  }
  body.shownDialogs.push_back(shown);
  const auto [confirmed, path] = body.dialogAnswers.front();
  body.dialogAnswers.pop_front();
  if (!confirmed) return false;
  c->fileName = path;
  // Choosing a file makes its folder the current directory, as the real
  // dialog does.
  const int slash = std::max(FindTextBackward(path, "\\"), FindTextBackward(path, "/"));
  if (slash > 1) body.currentDirectory = path.substr(0, static_cast<std::size_t>(slash) - 1);
  return true;
}

Text CurrentDirectory() {
  Body& body = TheBody();
  if (body.currentDirectory.empty()) {
    std::error_code error;
    body.currentDirectory = std::filesystem::current_path(error).string();
  }
  return TextLength(body.currentDirectory) > 260 ? Text() : body.currentDirectory;
}

// ---- messages, processes, windows ----

int ShowMessage(const Text& text, int style, const Text& title) {
  Body& body = TheBody();
  driver::ShownMessage shown{text, style, title.empty() ? kDefaultMessageTitle : title, false};
  if (body.messageAnswers.empty()) {
    shown.unexpected = true;
    body.shownMessages.push_back(shown);
    Unexpected("message box \"" + text + "\"");
    return HarmlessAnswer(style);
  }
  body.shownMessages.push_back(shown);
  const int answer = body.messageAnswers.front();
  body.messageAnswers.pop_front();
  return answer;
}

bool RunProgram(const Text& commandLine, bool, int) {
  TheBody().startedPrograms.push_back(commandLine);
  return true;
}

bool OpenWebAddress(const Text& address) {
  TheBody().openedAddresses.push_back(address);
  return true;
}

void LoadWindow(const Form& form, WindowId owner, bool modal) {
  (void)owner;
  Body& body = TheBody();
  if (WindowState* open = FindWindow(form.window)) {
    if (!open->closePending) return;
    DestroyWindow(form.window);
  }
  auto w = std::make_unique<WindowState>();
  w->form = form;
  w->geometry = form.geometry;
  if (form.style & kCentred) {
    w->geometry.left = (kScreenWidth - form.geometry.width) / 2;
    w->geometry.top = (kScreenHeight - form.geometry.height) / 2;
  }
  w->restored = w->geometry;
  w->caption = form.caption;
  w->modal = modal;
  for (const ControlSpec& design : form.controls) w->controls.emplace(design.id, StateFor(design));
  if (modal) {
    for (auto& [id, other] : body.windows) {
      if (!other->disabled) {
        other->disabled = true;
        w->disabledByMe.push_back(id);
      }
    }
  }
  WindowState& state = *w;
  body.lastFound = {};
  body.windows[form.window] = std::move(w);
  for (const ControlSpec& design : form.controls) {
    if (design.type == ControlType::Tab) ShowPage(state, design.id, 0);
  }
  Raise(form.window, 0, Event::Created);
}

void CloseWindow(WindowId window) {
  WindowState* w = FindWindow(window);
  if (!w) return;
  if (TheBody().dispatchDepth > 0) {
    w->closePending = true;
  } else {
    DestroyWindow(window);
  }
}

void RefreshNow(WindowId) {}

void PopupMenu(WindowId window, int menu) {
  Body& body = TheBody();
  WindowState* w = FindWindow(window);
  const MenuSpec* design = w ? FindMenu(*w, menu) : nullptr;
  if (!design) return;
  body.lastPopup = menu;
  body.lastPopupStates.clear();
  for (const MenuSpec& item : design->items) {
    body.lastPopupStates.push_back(item.caption != "-" && MenuItem(window, item.id).Disabled());
  }
  if (body.popupAnswers.empty()) return;
  const int chosen = body.popupAnswers.front();
  body.popupAnswers.pop_front();
  if (chosen == 0) return;
  body.pendingCommands.push_back(chosen);
  body.pendingCommandWindows.push_back(window);
}

int RunEventLoop() { return 0; }
