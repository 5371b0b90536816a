// Acting as the user, for tests: one interface on both bodies. On the
// memory body it raises the events the real controls would raise, in the
// same order; on Win32 it sends real window messages and answers the real
// message boxes and file dialogs as they appear.
//
// Message boxes and file dialogs take scripted answers queued beforehand; a
// box or dialog that appears with no answer queued is reported through the
// function given to OnUnexpected (the tests make it a failure; without one
// the program aborts), then answered with Cancel (No for a Yes/No box, OK
// where there is neither) and recorded as unexpected.
#pragma once

#include <vector>

#include "primitives/controls.h"

namespace driver {

// Mouse actions on a list row; row -1 means the empty area below the rows.
// Press raises mouse-down (then the list selects the row under the
// pointer); Release raises mouse-up; Click is press, the list's clicked
// notification, then release.
void PressRow(ListView list, int row);
void ReleaseRow(ListView list, int row);
void ClickRow(ListView list, int row);
void DoubleClickRow(ListView list, int row);
void RightClickRow(ListView list, int row);
// Toggles a row's check box as a click on it does.
void ClickRowCheckBox(ListView list, int row);

// Clicks a tree item (selection changed with the mouse as cause).
void ClickTreeItem(TreeBox tree, int item);
// Moves the tree selection with the keyboard (cause 0).
void KeyTreeItem(TreeBox tree, int item);
// How a tree item is shown: its image, its parent's index (-1 at top
// level) and whether its children are shown. All -1/false for no item.
struct TreeItemLook {
  int image = -1;
  int parent = -1;
  bool expanded = false;
};
TreeItemLook LookAtTreeItem(TreeBox tree, int item);

// Ends the in-place edit that is under way (EditRowLabel, or a start by
// the user) by typing `text` and Enter, or by cancelling it.
void ConfirmLabelEdit(ListView list, const Text& text);
void CancelLabelEdit(ListView list);
// True while an in-place edit is under way.
bool LabelEditActive(ListView list);

// Chooses a menu item from the menu bar; false (nothing runs) when the
// item is disabled.
bool ChooseMenu(MenuItem item);
// Ctrl + key in the window.
void PressShortcut(WindowId window, char key);
// The answer to the next pop-up menu (PopupMenu): the item to choose, or 0
// to dismiss it. A pop-up with no answer queued is dismissed. Choosing a
// disabled item does nothing.
void AnswerNextPopup(int menuItem);
// The pop-up menu shown last (0 none) and the disabled states its items
// had when it was shown, in order of its items (separators included, false).
int LastPopupMenu();
std::vector<bool> LastPopupDisabledStates();

// Clicks a toolbar position; a disabled button or a separator raises
// nothing.
void ClickToolButton(ToolBar bar, int position);
// Clicks a push button, an option button or a web link.
void ClickButton(Control button);
// Selects a log line as a click does.
void ClickListItem(ListBox box, int index);
// Clicks a tab page's tab.
void ClickTab(Tab tab, int page);
// The user types into an edit box (replacing its text).
void TypeText(EditBox box, const Text& text);
// Characters an edit box shows once it has all its text (a two-byte
// character or a lone byte is one).
int ShownLength(EditBox box);
// A plain Esc key press in a control (or the window with Control id 0).
void PressEscape(Control control);
// Mouse moved over / left button pressed in a control.
void MoveMouse(Control control);
void PressMouse(Control control);

// The window's close box.
void ClickCloseBox(WindowId window);
// Maximise, restore, minimise.
void Maximize(WindowId window);
void Restore(WindowId window);
void Minimize(WindowId window);

// Lets the body handle what is pending (closes requested, repaints).
void Settle();
// Lets the windows go on as in the program's own message loop until the
// body has nothing left to do between messages (a long text handed to a
// control in parts): *handOver is the time handing over what the last
// command left took, *longestMessage the longest any one message kept the
// window busy afterwards, in seconds. Both 0 on the memory body.
void RunUntilDone(double* handOver, double* longestMessage);
// Keeps handling the windows' messages for that long, so that they can be
// looked at; returns at once on the memory body.
void KeepShowing(int milliseconds);

// Where unexpected boxes and dialogs are reported.
void OnUnexpected(void (*report)(const Text& what));

// Scripted answers.
void AnswerNextMessage(int button);
void AnswerNextDialog(const Text& path);
void CancelNextDialog();

struct ShownMessage {
  Text text;
  int style = 0;
  Text title;
  bool unexpected = false;
};
struct ShownDialog {
  int type = 0;
  Text title;
  Text fileName;
  Text initialFolder;
  Text filter;
  bool unexpected = false;
};
// What was shown since the last call, in order; each call empties its list.
std::vector<ShownMessage> TakeShownMessages();
std::vector<ShownDialog> TakeShownDialogs();
// Command lines RunProgram started, and web addresses opened.
std::vector<Text> TakeStartedPrograms();
std::vector<Text> TakeOpenedAddresses();

// True when the controls are Wine's rather than Windows' own, so that a
// test can skip the one case where Wine is known to differ.
bool UnderWine();

// Forgets every queued answer and record, and destroys every window, so
// that each test starts from nothing.
void Reset();

}  // namespace driver
