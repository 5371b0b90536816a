// The in-memory stand-in for the platform's controls: plain objects with
// the same observable behaviour, so the commands can be tested natively,
// quickly and deterministically. Shared by the controls and the driver.
#pragma once

#include <deque>
#include <map>
#include <memory>
#include <vector>

#include "primitives/driver.h"
#include "primitives/form.h"
#include "primitives/preorder_forest.h"
#include "primitives/text_column.h"

namespace memory_body {

struct TreeItem {
  int image = 0;
  bool expanded = false;
};

struct StatusPart {
  int width = -1;
  Text text;
};

struct ControlState {
  ControlType type = ControlType::Label;
  int id = 0;
  int parent = 0;
  int page = -1;
  unsigned style = 0;
  Geometry geometry;
  bool disabled = false;
  bool visible = true;
  Text caption;

  PreorderForest<TreeItem> tree;
  TextColumn treeTexts;  // by the items' indexes
  int selectedItem = -1;

  TextTable cells;              // a list's texts
  std::vector<int> rowChecked;  // one per row
  std::vector<int> columnWidths;
  int selectedRow = -1;
  int focusedRow = -1;
  int editingRow = -1;

  Text content;
  int rememberedStart = 0;
  int rememberedLength = 0;
  int selectionStart = 0;  // what is selected now (the user may change it)
  int selectionLength = 0;

  std::vector<Text> items;
  int currentItem = -1;

  std::vector<StatusPart> parts;
  std::vector<bool> buttonEnabled;
  std::vector<bool> separator;
  int currentPage = 0;
  bool checked = false;

  int dialogType = 0;
  Text title;
  Text fileName;
  Text initialFolder;
  Text filter;
};

struct WindowState {
  Form form;
  Geometry geometry;
  Geometry restored;  // the geometry before maximising or minimising
  Text caption;
  bool disabled = false;   // by a modal window
  bool minimized = false;
  bool maximized = false;
  bool modal = false;
  bool closePending = false;
  std::map<int, ControlState> controls;
  std::map<int, bool> menuDisabled;
  std::vector<WindowId> disabledByMe;
};

// Everything the body holds; one per process.
struct Body {
  std::map<WindowId, std::unique_ptr<WindowState>> windows;
  // The control found last: commands address the same control many times
  // in a row. Forgotten whenever a window comes or goes.
  struct {
    WindowId window = kNoWindow;
    int id = 0;
    ControlState* control = nullptr;
  } lastFound;
  int dispatchDepth = 0;
  std::vector<int> pendingCommands;  // menu items chosen from a pop-up, per window
  std::vector<WindowId> pendingCommandWindows;

  std::deque<int> messageAnswers;
  std::deque<std::pair<bool, Text>> dialogAnswers;  // confirmed?, path
  std::deque<int> popupAnswers;
  std::vector<driver::ShownMessage> shownMessages;
  std::vector<driver::ShownDialog> shownDialogs;
  std::vector<Text> startedPrograms;
  std::vector<Text> openedAddresses;
  void (*reportUnexpected)(const Text& what) = nullptr;
  Text currentDirectory;  // as the file dialog leaves it
  int lastPopup = 0;
  std::vector<bool> lastPopupStates;
};

Body& TheBody();

WindowState* FindWindow(WindowId window);
ControlState* FindControl(WindowId window, int id);

// Runs the handler bound to (control, event) of the window, if any, and then,
// when this was the outermost event, what waits for its end (closes and
// commands chosen from a pop-up menu). The answer is true unless a handler
// said false.
bool Raise(WindowId window, int control, Event event, int argument = 0);

// What waits for the outermost event to end: commands chosen from a pop-up
// menu, and windows whose closing was asked for.
void RunPending();

// A close request (close box, Esc): asks MayClose, then destroys.
void RequestClose(WindowId window);
void DestroyWindow(WindowId window);

// The screen the stand-in windows live on.
inline constexpr int kScreenWidth = 1280;
inline constexpr int kScreenHeight = 1024;

// The frame around the client area of a window of this form.
int FrameWidth(const WindowState& w);
int FrameHeight(const WindowState& w);
void ResizeWindow(WindowId window, int width, int height);

// A menu item (or top-level menu) of the window's form; nullptr when none.
const MenuSpec* FindMenu(const WindowState& w, int id);
// True when the item can be chosen: it and its top-level menu are enabled.
bool MenuItemEnabled(const WindowState& w, int id);

}  // namespace memory_body
