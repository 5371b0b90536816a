// Windows as data: the controls a window is made of, its menus and
// shortcuts, and the one table of (control, event, handler) bindings.
// LoadWindow instantiates a form on either body.
#pragma once

#include <variant>
#include <vector>

#include "primitives/controls.h"

enum class ControlType {
  TreeBox,
  ListView,
  EditBox,
  ListBox,
  StatusBar,
  ToolBar,
  Tab,
  RadioBox,
  Button,
  GroupBox,
  Label,
  PictureBox,
  HyperLinker,
  CommonDlg,
};

// Style bits of a control; which apply depends on its type.
enum ControlStyle : unsigned {
  kStyleNone = 0,
  kReadOnlyEdit = 1u << 0,        // EditBox: the user cannot change the text
  kMultiLine = 1u << 1,       // EditBox
  kVerticalScroll = 1u << 2,  // EditBox, ListBox
  kTabStop = 1u << 3,
  kStaticEdge = 1u << 4,      // a thin sunken border
  kClientEdge = 1u << 5,      // a sunken border
  kButtonFace = 1u << 6,      // background in the button-face colour
  kCheckBoxes = 1u << 7,      // ListView
  kGridLines = 1u << 8,       // ListView
  kEditLabels = 1u << 9,      // ListView: in-place editing of column 0
  kAutoRadio = 1u << 10,      // RadioBox: checked automatically when clicked
  kGroupStart = 1u << 11,     // first control of a group (radio buttons)
  kBold = 1u << 12,           // Label font
  kItalic = 1u << 13,         // Label font
  kTransparent = 1u << 14,    // Label: no background of its own
  kChecked = 1u << 15,        // RadioBox checked at creation
  kHidden = 1u << 16,         // not visible at creation
};

inline constexpr int kDefaultColour = -1;
constexpr int Rgb(int r, int g, int b) { return r | (g << 8) | (b << 16); }

struct Geometry {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

struct ColumnSpec {
  Text caption;
  int width = 0;
};

// A toolbar position; image -1 makes it a separator.
struct ToolButtonSpec {
  int image = -1;
  Text tip;
};

struct StatusPartSpec {
  int width = -1;  // right edge minus left edge; -1 to the end of the bar
  int icon = -1;
  Text text;
  Text tip;
};

// An image strip or icon compiled into the program, by resource id.
struct ImageSpec {
  int resource = 0;
  int width = 16;
  int height = 16;
  int count = 0;
};

struct ControlSpec {
  ControlType type = ControlType::Label;
  int id = 0;                  // unique in its window, not 0
  const char* designName = ""; // the name the form gives it
  Geometry geometry;
  int parent = 0;              // 0 the window; else a Tab or GroupBox id
  int page = -1;               // the page of a Tab parent
  unsigned style = kStyleNone;
  Text caption;                // button, radio, label, group box, link
  int textColour = kDefaultColour;
  std::vector<ColumnSpec> columns;     // ListView
  std::vector<Text> pages;             // Tab page captions
  std::vector<ToolButtonSpec> buttons; // ToolBar positions; command ids 1..n
  std::vector<StatusPartSpec> parts;   // StatusBar
  ImageSpec images;                    // image list / picture
  Text filter;                 // CommonDlg
  Text address;                // HyperLinker: the web address it opens
  Text fontName;               // Label: a font of its own (GBK face name)
  int fontHeight = 0;          // with fontName: the height, negative for the character height
};

// A menu: a top-level item with its drop-down, or an item of it. The
// caption "-" is a separator; "&" marks the access key. `shortcut` is the
// name shown right-aligned ("Ctrl+N").
struct MenuSpec {
  int id = 0;
  Text caption;
  Text shortcut;
  std::vector<MenuSpec> items;
};

// Ctrl + key chooses the menu item, unless it is disabled.
struct ShortcutSpec {
  char key = 0;  // 'A'..'Z'
  int menuItem = 0;
};

// Events a form can bind. Mouse events reach the handler before the
// control handles the mouse itself.
enum class Event {
  Created,         // window: once, when first shown
  MayClose,        // window: bool() answer decides whether it closes
  SizeChanged,     // window
  Chosen,          // menu item
  ButtonClicked,   // ToolBar: void(int position)
  SelectionChanged,// TreeBox: void(int cause: 0 keyboard, 1 mouse, 2 other); ListBox
  MouseDown,       // left button pressed
  MouseUp,         // left button released
  MouseMove,
  DoubleClick,
  RightButtonDown,
  Clicked,         // ListView's own click notification; Button; RadioBox
  LabelEditEnded,  // ListView: bool(int row); false rejects the edit
  ContentChanged,  // EditBox
};

inline constexpr int kTreeCauseKeyboard = 0;
inline constexpr int kTreeCauseMouse = 1;
inline constexpr int kTreeCauseOther = 2;

using Handler = std::variant<std::monostate, void (*)(), void (*)(int), bool (*)(), bool (*)(int)>;

// Runs a handler with the event's argument; an answer is true unless the
// handler says false.
inline bool RunHandler(const Handler& handler, int argument = 0) {
  if (auto* f = std::get_if<void (*)()>(&handler)) (*f)();
  if (auto* f = std::get_if<void (*)(int)>(&handler)) (*f)(argument);
  if (auto* f = std::get_if<bool (*)()>(&handler)) return (*f)();
  if (auto* f = std::get_if<bool (*)(int)>(&handler)) return (*f)(argument);
  return true;
}

struct Binding {
  int control = 0;  // 0 the window itself; else a control or menu item id
  Event event = Event::Created;
  Handler handler;
};

// Window attributes.
enum WindowStyle : unsigned {
  kWindowNone = 0,
  kFixedFrame = 1u << 0,   // a single border the user cannot drag
  kMinimizeBox = 1u << 1,
  kMaximizeBox = 1u << 2,
  kCentred = 1u << 3,      // centred on the screen when created
  kEscCloses = 1u << 4,    // a plain Esc anywhere in the window asks it to close
  kInTaskbar = 1u << 5,
};

struct Form {
  WindowId window = kNoWindow;
  const char* designName = "";
  Text caption;
  Geometry geometry;       // outer size; the position unless kCentred
  unsigned style = kWindowNone;
  int icon = 0;            // resource id, 0 none
  std::vector<ControlSpec> controls;
  std::vector<MenuSpec> menus;
  std::vector<ShortcutSpec> shortcuts;
  std::vector<Binding> bindings;

  // The handler bound to (control, event), or an empty one.
  const Handler* Find(int control, Event event) const {
    for (const Binding& b : bindings) {
      if (b.control == control && b.event == event) return &b.handler;
    }
    return nullptr;
  }
};
