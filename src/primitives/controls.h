// The control operations every command is written against.
//
// A control is named by its window and its design-time identity; the
// classes below are small handles holding just that, so a form can name its
// controls as constants (`MainWindow::超级列表框1`). Two bodies define the
// member functions: the in-memory stand-in (memory/) for the native tests,
// and the real Windows common controls (win32/). Which one a program gets is
// decided when it is linked. No platform type appears here.
//
// Indexes are 0-based (rows, columns, tree items in pre-order, log items,
// status parts, toolbar positions with separators, tab pages); -1 means
// none. Texts are GBK bytes; reading operations return new texts.
#pragma once

#include <string_view>

#include "primitives/text.h"

struct Form;

// A window, named by the id its form gives it.
using WindowId = int;
inline constexpr WindowId kNoWindow = 0;

// What every control and window has.
class Control {
 public:
  constexpr Control(WindowId window, int id) : window_(window), id_(id) {}
  constexpr WindowId window() const { return window_; }
  constexpr int id() const { return id_; }

  // Position relative to the parent's client area, and size; writing one
  // keeps the other three. Negative sizes are accepted.
  int Left() const;
  int Top() const;
  int Width() const;
  int Height() const;
  void SetLeft(int value) const;
  void SetTop(int value) const;
  void SetWidth(int value) const;
  void SetHeight(int value) const;

  bool Disabled() const;
  void SetDisabled(bool disabled) const;

  // A label's text, a button's caption; of a window, its title.
  Text Caption() const;
  void SetCaption(const Text& caption) const;

 private:
  WindowId window_;
  int id_;
};

// The directory tree. Items are addressed by their position in a
// depth-first pre-order walk over the whole tree.
class TreeBox : public Control {
 public:
  using Control::Control;
  // Appends the item as the last child of `parent`; a parent that is
  // negative or not less than the item count makes it a new last top-level
  // item. Returns the new item's index, -1 on failure.
  int AddTreeItem(int parent, std::string_view text, int image = 0) const;
  int TreeItemCount() const;
  Text GetTreeItemText(int item) const;  // empty when no such item
  void ExpandTreeItem(int item) const;
  void ClearTree() const;
  int SelectedItem() const;  // -1 when none
  // Every item's text followed by `separator`, in pre-order: what
  // GetTreeItemText gives item by item, in one piece.
  Text JoinedItemTexts(const Text& separator) const;
};

// The entry list: report view, a check box per row, two or more columns.
class ListView : public Control {
 public:
  using Control::Control;
  int RowCount() const;
  // Inserts before the row now at `position`; a position that is negative
  // or not less than the row count appends. The new row has an empty
  // column 1 and no check mark. Returns its index, -1 on failure.
  int InsertRow(int position, std::string_view text) const;
  void SetCellText(int row, int column, std::string_view text) const;
  Text GetCellText(int row, int column = 0) const;  // empty when no such cell
  // The same without a copy: valid until the list next changes, and may be
  // given to SetCellText for another cell.
  std::string_view CellView(int row, int column) const;
  void SetRowChecked(int row, int checked) const;
  int GetRowChecked(int row) const;  // 1, 0, or -1 when no such row
  int SelectedRow() const;  // -1 when none
  // Selects the row (replacing the selection) and gives it the focus;
  // nothing for a negative row.
  void SelectRow(int row) const;
  bool DeleteRow(int row) const;
  void DeleteAllRows() const;
  void EnsureRowVisible(int row) const;
  void SetColumnWidth(int column, int width) const;
  int ColumnWidth(int column) const;
  // Starts the in-place edit of the row's column-0 text with the keyboard
  // focus. When the edit ends the list raises its edit-ended event with
  // the row; a confirmed text is stored only after that handler returned,
  // and only when it did not answer false.
  void EditRowLabel(int row) const;
  // Every row's text in `column` followed by `separator`, in row order;
  // with `checkedOnly` only the rows whose GetRowChecked is 1. What the
  // row-by-row reads give, in one piece.
  Text JoinedColumn(int column, const Text& separator, bool checkedOnly = false) const;
};

// A multi-line text view or a one-line search box. Selection offsets are
// bytes of the content.
class EditBox : public Control {
 public:
  using Control::Control;
  Text Content() const;
  // Replaces the whole text, then raises content-changed exactly once
  // (also when the text is the same).
  void SetContent(Text text) const;
  int SelectionStart() const;
  int SelectionLength() const;
  // The box remembers a start and a length. Start v >= 0 sets the start;
  // -1 puts the caret at the end (length 0); other negatives set 0. Length
  // v >= 0 sets the length; -1 selects all; other negatives set 0. Either
  // write then selects [start, start + length) and scrolls to the caret.
  void SetSelectionStart(int value) const;
  void SetSelectionLength(int value) const;
  // Adds the text at the end, caret after it, scrolled into view; raises
  // content-changed once.
  void AppendText(const Text& text) const;
};

// The operation log.
class ListBox : public Control {
 public:
  using Control::Control;
  int AddListItem(const Text& text) const;  // index, -1 on failure
  Text GetListItemText(int index) const;
  int ListItemCount() const;
  int CurrentSelection() const;  // -1 when none
};

class StatusBar : public Control {
 public:
  using Control::Control;
  // Nothing when the part does not exist.
  void SetPartText(int part, const Text& text) const;
  Text PartText(int part) const;
  // The parts are laid out left to right; width -1 runs to the bar's end.
  void SetPartWidth(int part, int width) const;
  int PartWidth(int part) const;  // -1 when no such part
};

class ToolBar : public Control {
 public:
  using Control::Control;
  // Nothing when the position does not exist.
  void SetButtonEnabled(int position, bool enabled) const;
  bool ButtonEnabled(int position) const;  // false when no such position
};

class Tab : public Control {
 public:
  using Control::Control;
  int CurrentPage() const;
  // Shows that page's controls and hides the others'; raises no event.
  void SetCurrentPage(int page) const;
};

// An option button. Writing changes only this button, not its group.
class RadioBox : public Control {
 public:
  using Control::Control;
  bool Checked() const;
  void SetChecked(bool checked) const;
};

// The file dialog.
class CommonDlg : public Control {
 public:
  using Control::Control;
  int DialogType() const;  // 0 open, 1 save
  void SetDialogType(int type) const;
  Text Title() const;
  void SetTitle(const Text& title) const;
  // Before showing: the proposed name; after a confirmed dialog: the path.
  Text FileName() const;
  void SetFileName(const Text& name) const;
  Text InitialFolder() const;
  void SetInitialFolder(const Text& folder) const;
  Text Filter() const;
  void SetFilter(const Text& filter) const;
  // True when the user confirmed a file; on cancel FileName is unchanged.
  bool ShowDialog() const;
};

// A menu item of a window's menu bar (or a top-level menu).
class MenuItem {
 public:
  constexpr MenuItem(WindowId window, int id) : window_(window), id_(id) {}
  constexpr WindowId window() const { return window_; }
  constexpr int id() const { return id_; }
  bool Disabled() const;
  void SetDisabled(bool disabled) const;

 private:
  WindowId window_;
  int id_;
};

// A top-level window. Its Control attributes (id 0) are those of the
// window itself: outer position and size, and the title as Caption.
class Window : public Control {
 public:
  constexpr explicit Window(WindowId window) : Control(window, 0) {}
  int ClientWidth() const;
  int ClientHeight() const;
  bool IsOpen() const;
};

// Message box styles and results.
inline constexpr int kMbOk = 0;
inline constexpr int kMbOkCancel = 1;
inline constexpr int kMbYesNoCancel = 3;
inline constexpr int kMbYesNo = 4;
inline constexpr int kMbIconQuestion = 32;
inline constexpr int kMbIconExclamation = 48;
inline constexpr int kMbIconInformation = 64;
inline constexpr int kIdOk = 0;
inline constexpr int kIdCancel = 1;
inline constexpr int kIdAbort = 2;
inline constexpr int kIdRetry = 3;
inline constexpr int kIdIgnore = 4;
inline constexpr int kIdYes = 5;
inline constexpr int kIdNo = 6;

// The title a message box gets when none is given.
inline const Text kDefaultMessageTitle = "信息：";

// A modal box that belongs to no window and blocks every window of the
// program until answered. An empty title means kDefaultMessageTitle.
// Returns the button chosen; closing a box with Cancel counts as Cancel.
int ShowMessage(const Text& text, int style = 0, const Text& title = Text());

// The process's current directory; empty on failure.
Text CurrentDirectory();

// Starts the command line (used as it is, no quotes added) with its window
// shown normally, waits at most 1000 ms for it to become ready for input,
// and does not wait for it to end. False when it cannot be started.
bool RunProgram(const Text& commandLine, bool wait = false, int windowMode = 1);

// Opens a web address in the default browser.
bool OpenWebAddress(const Text& address);

// Creates and shows the window of `form`; when it is open already, restores
// and activates it instead. A modal window disables every other window of
// the program until it closes; LoadWindow returns once it is shown.
void LoadWindow(const Form& form, WindowId owner = kNoWindow, bool modal = false);

// Closes and destroys the window once the current event handler has
// returned. When the last window is gone the program's loop ends.
void CloseWindow(WindowId window);

void RefreshNow(WindowId window);

// Shows a top-level menu of the window as a pop-up at the mouse position
// (moved 3 pixels right and down); choosing an item runs its handler.
void PopupMenu(WindowId window, int menu);

// Runs the program's event loop until every window is destroyed; returns
// the exit code.
int RunEventLoop();
