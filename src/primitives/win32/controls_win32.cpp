// Creating a form's controls, the subclass that gives their mouse events to
// the handlers first, and the attributes every control has.
#include <algorithm>

#include "primitives/win32/body.h"

namespace win32_body {

namespace {

struct Creation {
  const wchar_t* windowClass;
  DWORD style;
  DWORD exStyle;
  const wchar_t* text;
};

bool Has(const ControlSpec& design, unsigned bit) { return (design.style & bit) != 0; }

Creation CreationFor(const ControlSpec& design, const std::wstring& caption) {
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
  if (!Has(design, kHidden)) style |= WS_VISIBLE;
  if (Has(design, kTabStop)) style |= WS_TABSTOP;
  DWORD ex = 0;
  if (Has(design, kClientEdge)) ex |= WS_EX_CLIENTEDGE;
  if (Has(design, kStaticEdge)) ex |= WS_EX_STATICEDGE;
  const wchar_t* text = caption.c_str();
  switch (design.type) {
    case ControlType::TreeBox:
      return {WC_TREEVIEWW, style | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT, ex, L""};
    case ControlType::ListView:
      // Owner data: the rows live in the body, and the list asks for what it
      // draws; a long file is not copied into the control row by row.
      style |= LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_OWNERDATA;
      if (Has(design, kEditLabels)) style |= LVS_EDITLABELS;
      return {WC_LISTVIEWW, style, ex, L""};
    case ControlType::EditBox:
      style |= ES_LEFT;
      style |= Has(design, kMultiLine) ? (ES_MULTILINE | ES_AUTOVSCROLL | ES_NOHIDESEL) : ES_AUTOHSCROLL;
      if (Has(design, kReadOnlyEdit)) style |= ES_READONLY;
      if (Has(design, kVerticalScroll)) style |= WS_VSCROLL;
      return {L"EDIT", style, ex, L""};
    case ControlType::ListBox:
      style |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
      if (Has(design, kVerticalScroll)) style |= WS_VSCROLL;
      return {L"LISTBOX", style, ex, L""};
    case ControlType::StatusBar: return {STATUSCLASSNAMEW, style | SBARS_TOOLTIPS, ex, L""};
    case ControlType::ToolBar:
      return {TOOLBARCLASSNAMEW, style | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | TBSTYLE_WRAPABLE, ex, L""};
    case ControlType::Tab: return {WC_TABCONTROLW, style | WS_CLIPCHILDREN, ex, L""};
    case ControlType::RadioBox:
      style |= Has(design, kAutoRadio) ? BS_AUTORADIOBUTTON : BS_RADIOBUTTON;
      if (Has(design, kGroupStart)) style |= WS_GROUP;
      return {L"BUTTON", style, ex, text};
    case ControlType::Button:
      style |= BS_PUSHBUTTON;
      if (Has(design, kGroupStart)) style |= WS_GROUP;
      return {L"BUTTON", style, ex, text};
    case ControlType::GroupBox: return {L"BUTTON", style | BS_GROUPBOX | WS_CLIPCHILDREN, ex, text};
    case ControlType::Label: return {L"STATIC", style | SS_LEFT | SS_NOPREFIX, ex, text};
    case ControlType::PictureBox: return {L"STATIC", style, ex, L""};
    case ControlType::HyperLinker: return {L"STATIC", style | SS_NOTIFY | SS_NOPREFIX, ex, text};
    case ControlType::CommonDlg: break;
  }
  return {nullptr, 0, 0, nullptr};
}

// Image strips are bitmaps whose magenta pixels are transparent.
HIMAGELIST LoadImageStrip(const ImageSpec& design) {
  if (design.resource == 0) return nullptr;
  const auto bitmap = static_cast<HBITMAP>(
      LoadImageW(Instance(), MAKEINTRESOURCEW(design.resource), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (!bitmap) return nullptr;
  HIMAGELIST list = ImageList_Create(design.width, design.height, ILC_COLOR24 | ILC_MASK, std::max(design.count, 1), 0);
  if (list) ImageList_AddMasked(list, bitmap, RGB(255, 0, 255));
  DeleteObject(bitmap);
  return list;
}

HFONT LabelFont(const ControlSpec& design) {
  if (!Has(design, kBold) && !Has(design, kItalic) && design.fontName.empty()) return nullptr;
  LOGFONTW font{};
  GetObjectW(GuiFont(), sizeof font, &font);
  if (Has(design, kBold)) font.lfWeight = FW_BOLD;
  if (Has(design, kItalic)) font.lfItalic = TRUE;
  if (!design.fontName.empty()) {
    const std::wstring face = Shown(design.fontName);
    face.copy(font.lfFaceName, LF_FACESIZE - 1);
    font.lfFaceName[std::min<std::size_t>(face.size(), LF_FACESIZE - 1)] = L'\0';
    font.lfHeight = design.fontHeight;
    font.lfWidth = 0;
    font.lfCharSet = GB2312_CHARSET;
  }
  return CreateFontIndirectW(&font);
}

void SetUpPicture(ControlRecord& c) {
  const ImageSpec& image = c.design->images;
  if (image.resource == 0) return;
  // The icon at the size the picture asks for (the logo is 48 x 48).
  if (HANDLE icon = LoadImageW(Instance(), MAKEINTRESOURCEW(image.resource), IMAGE_ICON, image.width, image.height,
                               LR_SHARED)) {
    SetWindowLongPtrW(c.hwnd, GWL_STYLE, GetWindowLongPtrW(c.hwnd, GWL_STYLE) | SS_ICON);
    SendMessageW(c.hwnd, STM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
  } else if (HANDLE bitmap = LoadImageW(Instance(), MAKEINTRESOURCEW(image.resource), IMAGE_BITMAP, 0, 0, LR_SHARED)) {
    SetWindowLongPtrW(c.hwnd, GWL_STYLE, GetWindowLongPtrW(c.hwnd, GWL_STYLE) | SS_BITMAP);
    SendMessageW(c.hwnd, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
  }
}

void SetUpListView(ControlRecord& c) {
  const ControlSpec& design = *c.design;
  DWORD ex = 0;
  if (Has(design, kCheckBoxes)) ex |= LVS_EX_CHECKBOXES;
  if (Has(design, kGridLines)) ex |= LVS_EX_GRIDLINES;
  SendMessageW(c.hwnd, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES | LVS_EX_GRIDLINES, static_cast<LPARAM>(ex));
  // The check marks too are asked for as the list draws.
  if (Has(design, kCheckBoxes)) SendMessageW(c.hwnd, LVM_SETCALLBACKMASK, LVIS_STATEIMAGEMASK, 0);
  int index = 0;
  for (const ColumnSpec& column : design.columns) {
    std::wstring caption = Shown(column.caption);
    LVCOLUMNW lvc{};
    lvc.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    lvc.fmt = LVCFMT_LEFT;
    lvc.cx = std::max(0, column.width);
    lvc.pszText = caption.data();
    SendMessageW(c.hwnd, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index++), reinterpret_cast<LPARAM>(&lvc));
    c.columnWidths.push_back(column.width);
  }
  c.cells = TextTable(static_cast<int>(design.columns.size()));
  if ((c.images = LoadImageStrip(design.images))) {
    SendMessageW(c.hwnd, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(c.images));
  }
}

void SetUpTab(ControlRecord& c) {
  int index = 0;
  for (const Text& page : c.design->pages) {
    std::wstring caption = Shown(page);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = caption.data();
    SendMessageW(c.hwnd, TCM_INSERTITEMW, static_cast<WPARAM>(index++), reinterpret_cast<LPARAM>(&item));
  }
}

void SetUpToolBar(ControlRecord& c) {
  const ControlSpec& design = *c.design;
  SendMessageW(c.hwnd, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  if ((c.images = LoadImageStrip(design.images))) {
    SendMessageW(c.hwnd, TB_SETBITMAPSIZE, 0, MAKELPARAM(design.images.width, design.images.height));
    SendMessageW(c.hwnd, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(c.images));
  }
  std::vector<TBBUTTON> buttons;
  int command = 1;
  for (const ToolButtonSpec& b : design.buttons) {
    TBBUTTON button{};
    button.iBitmap = b.image < 0 ? 0 : (c.images ? b.image : I_IMAGENONE);
    button.idCommand = command++;
    button.fsState = TBSTATE_ENABLED;
    button.fsStyle = static_cast<BYTE>(b.image < 0 ? BTNS_SEP : BTNS_BUTTON);
    buttons.push_back(button);
    c.tips.push_back(Shown(b.tip));
  }
  if (!buttons.empty()) {
    SendMessageW(c.hwnd, TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
  }
  SendMessageW(c.hwnd, TB_AUTOSIZE, 0, 0);
}

void SetUpStatusBar(ControlRecord& c) {
  const ControlSpec& design = *c.design;
  c.images = LoadImageStrip(design.images);
  for (const StatusPartSpec& part : design.parts) {
    c.partWidths.push_back(part.width);
    c.partTexts.push_back(part.text);
    c.partTips.push_back(Shown(part.tip));
  }
  ApplyStatusParts(c);
  for (std::size_t i = 0; i < design.parts.size(); ++i) {
    const WPARAM part = static_cast<WPARAM>(i);
    SendMessageW(c.hwnd, SB_SETTIPTEXTW, part, reinterpret_cast<LPARAM>(c.partTips[i].c_str()));
    if (c.images && design.parts[i].icon >= 0) {
      if (HICON icon = ImageList_GetIcon(c.images, design.parts[i].icon, ILD_NORMAL)) {
        SendMessageW(c.hwnd, SB_SETICON, part, reinterpret_cast<LPARAM>(icon));
      }
    }
  }
}

void SetUp(ControlRecord& c) {
  const ControlSpec& design = *c.design;
  switch (c.type) {
    case ControlType::TreeBox:
      if ((c.images = LoadImageStrip(design.images))) {
        SendMessageW(c.hwnd, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(c.images));
      }
      break;
    case ControlType::ListView: SetUpListView(c); break;
    case ControlType::EditBox:
      // No length limit: the text view holds whole documents.
      SendMessageW(c.hwnd, EM_SETLIMITTEXT, 0x7FFFFFFE, 0);
      break;
    case ControlType::StatusBar: SetUpStatusBar(c); break;
    case ControlType::ToolBar: SetUpToolBar(c); break;
    case ControlType::Tab: SetUpTab(c); break;
    case ControlType::RadioBox:
      if (Has(design, kChecked)) SendMessageW(c.hwnd, BM_SETCHECK, BST_CHECKED, 0);
      break;
    case ControlType::PictureBox: SetUpPicture(c); break;
    default: break;
  }
}

bool CreateOne(WindowRecord& w, const ControlSpec& design) {
  auto record = std::make_unique<ControlRecord>();
  ControlRecord& c = *record;
  c.window = w.form.window;
  c.id = design.id;
  c.type = design.type;
  c.design = &design;
  c.caption = design.caption;
  c.written = design.geometry;
  c.filter = design.filter;
  w.controls[design.id] = std::move(record);
  if (design.type == ControlType::CommonDlg) return true;

  HWND parent = w.hwnd;
  if (design.parent != 0) parent = w.controls.at(design.parent)->hwnd;
  const std::wstring caption = Shown(design.caption);
  const Creation how = CreationFor(design, caption);
  const Geometry& g = design.geometry;
  c.hwnd = CreateWindowExW(how.exStyle, how.windowClass, how.text, how.style, g.left, g.top, std::max(0, g.width),
                           std::max(0, g.height), parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(design.id)),
                           Instance(), nullptr);
  if (!c.hwnd) StopProgram(Text("无法创建控件“") + design.designName + "”。");
  w.byHandle[c.hwnd] = &c;
  c.font = LabelFont(design);
  SendMessageW(c.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(c.font ? c.font : GuiFont()), FALSE);
  // Subclassed by replacing the window procedure, not with SetWindowSubclass:
  // that looks its chain up in a window property on every message, which
  // Wine keeps in its server (about 0.1 ms a message), and the tree and the
  // text view take thousands of messages as a file opens. Nothing else
  // subclasses these controls, so the chain is only ever this one link.
  SetWindowLongPtrW(c.hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&c));
  c.original = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(c.hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ControlProc)));
  SetUp(c);
  // Containers lie under whatever is placed over them.
  if (design.type == ControlType::Tab || design.type == ControlType::GroupBox) {
    SetWindowPos(c.hwnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  return true;
}

bool IsContainer(const ControlRecord& c) { return c.type == ControlType::Tab || c.type == ControlType::GroupBox; }

// Mouse messages that raise an event before the control handles them.
bool MouseEvent(UINT message, Event* event) {
  switch (message) {
    case WM_LBUTTONDOWN: *event = Event::MouseDown; return true;
    case WM_LBUTTONUP: *event = Event::MouseUp; return true;
    case WM_LBUTTONDBLCLK: *event = Event::DoubleClick; return true;
    case WM_RBUTTONDOWN: *event = Event::RightButtonDown; return true;
    case WM_MOUSEMOVE: *event = Event::MouseMove; return true;
    default: return false;
  }
}

}  // namespace

void CreateControls(WindowRecord& w) {
  // Children of a tab or a group box come after their container, wherever
  // the form lists them.
  std::vector<const ControlSpec*> waiting;
  for (const ControlSpec& design : w.form.controls) waiting.push_back(&design);
  while (!waiting.empty()) {
    std::vector<const ControlSpec*> later;
    for (const ControlSpec* design : waiting) {
      if (design->parent == 0 || w.controls.count(design->parent)) {
        CreateOne(w, *design);
      } else {
        later.push_back(design);
      }
    }
    if (later.size() == waiting.size()) StopProgram(Text("控件“") + later.front()->designName + "”的父控件不存在。");
    waiting = std::move(later);
  }
  for (auto& [id, c] : w.controls) {
    if (c->type == ControlType::Tab) ShowTabPage(w, *c, 0);
  }
}

void ShowTabPage(WindowRecord& w, const ControlRecord& tab, int page) {
  for (auto& [id, c] : w.controls) {
    if (c->design->parent != tab.id || c->design->page < 0 || !c->hwnd) continue;
    const bool shown = c->design->page == page && !Has(*c->design, kHidden);
    ShowWindow(c->hwnd, shown ? SW_SHOWNA : SW_HIDE);
  }
}

bool TabNotify(WindowRecord& w, ControlRecord& c, NMHDR* header) {
  if (header->code != TCN_SELCHANGE) return false;
  ShowTabPage(w, c, static_cast<int>(SendMessageW(c.hwnd, TCM_GETCURSEL, 0, 0)));
  return true;
}

HBRUSH ControlColours(ControlRecord& c, HDC dc) {
  const ControlSpec& design = *c.design;
  const bool coloured = design.textColour != kDefaultColour;
  if (coloured) SetTextColor(dc, static_cast<COLORREF>(design.textColour));
  switch (c.type) {
    case ControlType::EditBox:
    case ControlType::ListBox:
      if (Has(design, kButtonFace)) {
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        return GetSysColorBrush(COLOR_BTNFACE);
      }
      if (coloured) {
        SetBkColor(dc, GetSysColor(COLOR_WINDOW));
        return GetSysColorBrush(COLOR_WINDOW);
      }
      return nullptr;
    case ControlType::Label:
    case ControlType::HyperLinker:
      // The window behind is plain button face, so a transparent label is
      // drawn on that (a null brush would leave whatever was there before).
      if (Has(design, kTransparent) || c.type == ControlType::HyperLinker) SetBkMode(dc, TRANSPARENT);
      SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
      return GetSysColorBrush(COLOR_BTNFACE);
    case ControlType::RadioBox:
    case ControlType::GroupBox:
    case ControlType::Button:
    case ControlType::PictureBox:
      SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
      return GetSysColorBrush(COLOR_BTNFACE);
    default: return nullptr;
  }
}

LRESULT CALLBACK ControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  // The record outlives its window (destroyed windows' records are freed later).
  auto* c = reinterpret_cast<ControlRecord*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!c) return DefWindowProcW(hwnd, message, wParam, lParam);
  const WNDPROC original = c->original;  // taken before any handler runs
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
      // A tab or group box holds some controls; their messages belong to
      // the window, as if they were its own children.
      if (IsContainer(*c)) {
        WindowRecord* w = FindWindowRecord(c->window);
        const HWND from = message == WM_NOTIFY ? reinterpret_cast<NMHDR*>(lParam)->hwndFrom : reinterpret_cast<HWND>(lParam);
        if (w && w->byHandle.count(from)) return WindowProc(w->hwnd, message, wParam, lParam);
      }
      break;
    case WM_ERASEBKGND:
      // A group box draws only its frame, and the window, which clips its
      // children, does not draw under it either.
      if (c->type == ControlType::GroupBox) {
        RECT r{};
        GetClientRect(hwnd, &r);
        FillRect(reinterpret_cast<HDC>(wParam), &r, GetSysColorBrush(COLOR_BTNFACE));
        return 1;
      }
      break;
    case WM_TIMER:
      if (c->type == ControlType::EditBox && wParam == kFeedTimer) {
        FeedEdit(*c);
        return 0;
      }
      break;
    case WM_SETCURSOR:
      if (c->type == ControlType::HyperLinker) {
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
      }
      break;
    default: {
      if (c->type == ControlType::ListView) {
        LRESULT result = 0;
        if (ListInput(*c, message, wParam, lParam, &result)) return result;
        break;
      }
      Event event{};
      if (MouseEvent(message, &event)) {
        Raise(c->window, c->id, event);
        if (message != WM_MOUSEMOVE && message != WM_LBUTTONUP) DeliverAfterPress();
      }
      break;
    }
  }
  return CallWindowProcW(original, hwnd, message, wParam, lParam);
}

}  // namespace win32_body

using namespace win32_body;

// ---- attributes of every control and of windows ----

namespace {

HWND HandleOf(WindowId window, int id) {
  if (id == 0) {
    WindowRecord* w = FindWindowRecord(window);
    return w ? w->hwnd : nullptr;
  }
  ControlRecord* c = FindControlRecord(window, id);
  return c ? c->hwnd : nullptr;
}

Geometry* WrittenOf(WindowId window, int id) {
  if (id == 0) {
    WindowRecord* w = FindWindowRecord(window);
    return w ? &w->written : nullptr;
  }
  ControlRecord* c = FindControlRecord(window, id);
  return c ? &c->written : nullptr;
}

// Where the control is, relative to its parent's client area (a window:
// to the screen). What was written last is reported while the control is
// still there, so negative sizes read back as written.
Geometry Current(WindowId window, int id) {
  Geometry* written = WrittenOf(window, id);
  if (!written) return Geometry{};
  const HWND hwnd = HandleOf(window, id);
  if (!hwnd) return *written;
  RECT r{};
  GetWindowRect(hwnd, &r);
  if (id != 0) MapWindowPoints(HWND_DESKTOP, GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
  const Geometry actual{r.left, r.top, r.right - r.left, r.bottom - r.top};
  const Geometry& w = *written;
  if (w.left == actual.left && w.top == actual.top && std::max(0, w.width) == actual.width &&
      std::max(0, w.height) == actual.height) {
    return w;
  }
  return actual;
}

void Place(WindowId window, int id, const Geometry& g) {
  Geometry* written = WrittenOf(window, id);
  if (!written) return;
  *written = g;
  if (const HWND hwnd = HandleOf(window, id)) {
    SetWindowPos(hwnd, nullptr, g.left, g.top, std::max(0, g.width), std::max(0, g.height),
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

bool CaptionIsWindowText(ControlType type) {
  return type == ControlType::Label || type == ControlType::Button || type == ControlType::RadioBox ||
         type == ControlType::GroupBox || type == ControlType::HyperLinker;
}

}  // namespace

int Control::Left() const { return Current(window_, id_).left; }
int Control::Top() const { return Current(window_, id_).top; }
int Control::Width() const { return Current(window_, id_).width; }
int Control::Height() const { return Current(window_, id_).height; }

namespace {

// Writes one of the four values, keeping the other three.
void PlaceOne(WindowId window, int id, int Geometry::*field, int value) {
  Geometry g = Current(window, id);
  g.*field = value;
  Place(window, id, g);
}

}  // namespace

void Control::SetLeft(int value) const { PlaceOne(window_, id_, &Geometry::left, value); }
void Control::SetTop(int value) const { PlaceOne(window_, id_, &Geometry::top, value); }
void Control::SetWidth(int value) const { PlaceOne(window_, id_, &Geometry::width, value); }
void Control::SetHeight(int value) const { PlaceOne(window_, id_, &Geometry::height, value); }

bool Control::Disabled() const {
  if (const HWND hwnd = HandleOf(window_, id_)) return !IsWindowEnabled(hwnd);
  ControlRecord* c = id_ == 0 ? nullptr : FindControlRecord(window_, id_);
  return c && c->disabled;
}

void Control::SetDisabled(bool disabled) const {
  if (const HWND hwnd = HandleOf(window_, id_)) {
    EnableWindow(hwnd, !disabled);
  } else if (ControlRecord* c = id_ == 0 ? nullptr : FindControlRecord(window_, id_)) {
    c->disabled = disabled;
  }
}

Text Control::Caption() const {
  if (id_ == 0) {
    WindowRecord* w = FindWindowRecord(window_);
    return w ? w->caption : Text();
  }
  ControlRecord* c = FindControlRecord(window_, id_);
  return c ? c->caption : Text();
}

void Control::SetCaption(const Text& caption) const {
  if (id_ == 0) {
    if (WindowRecord* w = FindWindowRecord(window_)) {
      w->caption = caption;
      SetWindowTextW(w->hwnd, Shown(caption).c_str());
    }
    return;
  }
  ControlRecord* c = FindControlRecord(window_, id_);
  if (!c) return;
  c->caption = caption;
  if (c->hwnd && CaptionIsWindowText(c->type)) SetWindowTextW(c->hwnd, Shown(caption).c_str());
}
