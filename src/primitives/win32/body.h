// What the Win32 body keeps about its windows and controls, shared by the
// control wrappers, the window procedure and the test driver. The platform
// controls only display; the exact GBK bytes of every text live here.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "primitives/form.h"
#include "primitives/preorder_forest.h"
#include "primitives/text_column.h"

namespace win32_body {

// Private messages of the program's windows.
inline constexpr UINT kMsgDestroyPending = WM_APP + 1;  // a CloseWindow that waited for its handler
inline constexpr UINT kMsgAnswerPopup = WM_APP + 2;     // the driver chooses in a pop-up menu

// A tree item that is in the platform tree, which holds its address.
struct TreeItemData {
  HTREEITEM handle = nullptr;
  HTREEITEM lastChild = nullptr;  // so appending never walks the siblings
  int index = 0;  // pre-order position, kept in step with the forest
  // The children are in the platform tree. They are put there when the
  // item is first expanded, so that a long file's collapsed sections cost
  // one platform item each, not one per line.
  bool childrenShown = false;
};

// A tree item; `shown` once it is in the platform tree.
struct TreeNode {
  TreeItemData* shown = nullptr;
  int image = 0;
};

// An edit box's text: the stored bytes, and how far the control has them.
// The control shows one UTF-16 unit per character; that form is made from
// the bytes a part at a time as the control takes it, never kept whole.
struct EditText {
  Text content;
  // Units the control holds once all its parts are in, the pending
  // appends not counted.
  std::size_t units = 0;
  // Appended bytes not yet handed to the control: content from here on.
  // They replace the last `pendingDrop` units the control holds (a lone
  // lead byte that found its trail).
  std::size_t pendingFrom = 0;
  std::size_t pendingDrop = 0;
  bool endsInLoneLead = false;
  int rememberedStart = 0;
  int rememberedLength = 0;
  int programmatic = 0;  // > 0 while the body itself writes the control
  // A long text reaches the control in parts, a timer tick apart, so that
  // the window answers the user in between: the control holds the first
  // `fed` units. Meanwhile it is read-only, and the selection the program
  // sets and reads is kept here and given to the control with the last
  // part.
  bool feeding = false;
  std::size_t fed = 0;
  std::size_t fedBytes = 0;  // the content bytes of the `fed` units
  DWORD feedStart = 0;
  DWORD feedEnd = 0;
};

struct ControlRecord {
  WindowId window = kNoWindow;
  int id = 0;
  ControlType type = ControlType::Label;
  const ControlSpec* design = nullptr;  // in the window record's own copy of the form
  HWND hwnd = nullptr;                // none for a CommonDlg
  Text caption;
  Geometry written;  // last geometry written, so negative sizes read back as written
  bool disabled = false;  // CommonDlg only: it has no window
  HFONT font = nullptr;   // owned: a bold or italic label font
  HIMAGELIST images = nullptr;  // owned
  WNDPROC original = nullptr;   // the control's own window procedure

  // TreeBox
  // The items in pre-order, their texts by the same index, and the records
  // of the items in the platform tree, which stay in place (it holds their
  // addresses) and go only all at once.
  PreorderForest<TreeNode> tree;
  TextColumn treeTexts;
  std::deque<TreeItemData> treeItems;
  HTREEITEM lastTopItem = nullptr;

  // ListView: the cells column by column, and one check mark per row, in
  // the list's order. The platform list holds no rows of its own (owner
  // data): it asks for texts and check marks as it draws, and keeps only
  // the selection and focus.
  TextTable cells;
  std::vector<bool> checks;
  int listCount = 0;  // rows the platform list has been told of; never more than checks.size()
  std::vector<int> columnWidths;  // as written
  bool owesMouseUp = false;       // a press whose release the handlers have not seen yet
  int editingRow = -1;

  EditText edit;  // EditBox

  std::vector<Text> items;  // ListBox

  // StatusBar
  std::vector<int> partWidths;
  std::vector<Text> partTexts;
  std::vector<std::wstring> partTips;

  std::vector<std::wstring> tips;  // ToolBar, per position

  // CommonDlg
  int dialogType = 0;
  Text title;
  Text fileName;
  Text initialFolder;
  Text filter;

  ControlRecord() = default;
  ControlRecord(const ControlRecord&) = delete;
  ControlRecord& operator=(const ControlRecord&) = delete;
  ~ControlRecord() {
    if (font) DeleteObject(font);
    if (images) ImageList_Destroy(images);
  }
};

struct MenuEntry {
  HMENU parent = nullptr;  // the bar for a top-level menu
  UINT position = 0;
  bool topLevel = false;
  bool separator = false;
  bool disabled = false;
};

struct WindowRecord {
  Form form;
  HWND hwnd = nullptr;
  HMENU menuBar = nullptr;
  HACCEL accelerators = nullptr;
  std::map<int, std::unique_ptr<ControlRecord>> controls;
  std::map<HWND, ControlRecord*> byHandle;
  std::map<int, MenuEntry> menus;
  Text caption;
  Geometry written;
  bool created = false;  // Created has been raised; size events count from then on
  bool closePending = false;
  bool modal = false;
  std::vector<HWND> disabledByMe;

  WindowRecord() = default;
  WindowRecord(const WindowRecord&) = delete;
  WindowRecord& operator=(const WindowRecord&) = delete;
  ~WindowRecord() {
    if (accelerators) DestroyAcceleratorTable(accelerators);
  }
};

// What the Win32 body shows to a test driver and what the driver sets.
struct TestHooks {
  bool active = false;  // a driver is in use: record programs and addresses only
  std::vector<Text> startedPrograms;
  std::vector<Text> openedAddresses;

  // Set just before the body shows a message box or a file dialog, so the
  // driver's watcher can tell the expected one from any other.
  bool messagePending = false;
  int messageStyle = 0;
  bool dialogPending = false;
  int dialogType = 0;
  Text dialogTitle;
  Text dialogFileName;
  Text dialogInitialFolder;
  Text dialogFilter;

  // The pop-up menu shown last, and the states its items had.
  int lastPopup = 0;
  std::vector<bool> lastPopupStates;
  // The driver's answer to a pop-up: a menu item id, or 0 to dismiss it.
  int (*answerPopup)() = nullptr;

  // Input the driver wants delivered once the handlers of a press have run
  // and before the control handles the press itself (the release of a click).
  struct Input {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
  };
  std::vector<Input> afterPress;
};

struct Body {
  std::map<WindowId, std::unique_ptr<WindowRecord>> windows;
  std::vector<std::unique_ptr<WindowRecord>> destroyed;  // freed once no handler runs
  int handlerDepth = 0;
  int muted = 0;  // > 0: events are not raised (the body's own changes)
  std::vector<std::pair<WindowId, int>> pendingEdits;  // edit boxes with appends to hand over
  std::vector<std::pair<WindowId, int>> heldRedraws;   // lists and trees not drawn until the flush
  HFONT guiFont = nullptr;
  TestHooks test;
};

Body& TheBody();
HINSTANCE Instance();
HFONT GuiFont();

WindowRecord* FindWindowRecord(WindowId window);
WindowRecord* WindowOfHandle(HWND hwnd);  // the record of a top-level window of ours
ControlRecord* FindControlRecord(WindowId window, int id);
ControlRecord* ControlOf(WindowId window, int id, ControlType type);

// Runs the handler bound to (control, event); true unless it answered false.
// When the outermost handler returns, appends waiting for the edit controls
// are handed over.
bool Raise(WindowId window, int control, Event event, int argument = 0);

struct Muted {
  Muted() { ++TheBody().muted; }
  ~Muted() { --TheBody().muted; }
  Muted(const Muted&) = delete;
  Muted& operator=(const Muted&) = delete;
};

// The filter every message loop of the program applies before dispatching:
// Esc closes, shortcuts choose their menu items. True when it used the message.
bool PreTranslate(MSG& msg);
// Pumps what is queued, through PreTranslate; false on WM_QUIT.
bool PumpOne(MSG& msg);

// Delivers the driver's pending releases (see TestHooks::afterPress).
void DeliverAfterPress();

// True when the menu item can be chosen: it and its top-level menu are enabled.
bool MenuItemEnabled(const WindowRecord& w, int id);

// Window life.
void DestroyNow(WindowId window);
LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Creating a form's controls (controls_win32.cpp).
void CreateControls(WindowRecord& w);
// Shows the controls of one tab page and hides the other pages'.
void ShowTabPage(WindowRecord& w, const ControlRecord& tab, int page);

// The subclass every control gets: mouse events before the control sees
// them, and messages a container passes on to the window.
LRESULT CALLBACK ControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Notifications and commands, by control type; each returns true when it
// handled the message and set *result.
bool TreeNotify(ControlRecord& c, NMHDR* header, LRESULT* result);
bool ListNotify(ControlRecord& c, NMHDR* header, LRESULT* result);
bool ToolTipNotify(WindowRecord& w, NMHDR* header);
bool TabNotify(WindowRecord& w, ControlRecord& c, NMHDR* header);
void EditChanged(ControlRecord& c);
// The list view's part of the control subclass (mouse, and the Space key
// on check boxes); true when it handled the message.
bool ListInput(ControlRecord& c, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
// Tells the platform list how many rows there are, when that changed since.
void SyncRowCount(ControlRecord& c);
// The platform item of a tree item, putting it (and the children of its
// ancestors) into the platform tree first when it is not there yet.
HTREEITEM ShownTreeItem(ControlRecord& c, int item);
// Puts the children of a tree item that is in the platform tree there too.
void ShowChildren(ControlRecord& c, int item);

// Edit boxes keep appends until the control is next needed, and lists and
// trees changed row by row are drawn once, not after every row
// (edit_win32.cpp). FlushAllEdits hands both over: when the outermost
// handler returns, before a box or window is shown, and when a test settles.
void FlushEdit(ControlRecord& c);
void FlushAllEdits();
void HoldRedraw(ControlRecord& c);
// The timer of an edit box that is being handed a long text in parts;
// each tick hands over the next part.
inline constexpr UINT_PTR kFeedTimer = 0x56617266;
void FeedEdit(ControlRecord& c);
// Hands every edit box the rest of its text at once (a test acts).
void FinishFeeds();
// True while some edit box is still being handed its text.
bool AnyFeeding();

// Colours of the controls that ask their parent (WM_CTLCOLOR*); null when
// the default applies.
HBRUSH ControlColours(ControlRecord& c, HDC dc);

// Toolbar and status bar follow their window's size (bars_win32.cpp).
void DockBars(WindowRecord& w);
// Lays the status bar's parts out from their widths and shows their texts.
void ApplyStatusParts(ControlRecord& c);

// Converts for the control's display, never failing (invalid bytes show
// as U+FFFD).
std::wstring Shown(std::string_view text);

}  // namespace win32_body
