// The test driver on the real controls: each action sends the window
// messages a user's action produces and then lets the program handle what
// is queued. Message boxes and file dialogs are answered as they become
// active, from a hook on the program's own thread, never after a sleep.
#include "primitives/driver.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <set>

#include "primitives/win32/body.h"
#include "primitives/win32/wide.h"

using namespace win32_body;

namespace {

// Control ids of the file name box in the common file dialogs.
constexpr int kFileNameCombo = 0x47C;  // cmb13
constexpr int kFileNameEdit = 0x480;   // edt1
constexpr int kMessageText = 0xFFFF;   // the static holding a message box's text

struct Driver {
  HHOOK hook = nullptr;
  std::deque<int> messageAnswers;
  std::deque<std::pair<bool, Text>> dialogAnswers;
  std::deque<int> popupAnswers;
  std::vector<driver::ShownMessage> shownMessages;
  std::vector<driver::ShownDialog> shownDialogs;
  std::set<HWND> answered;
  void (*report)(const Text& what) = nullptr;
};

Driver& D() {
  static Driver driver;
  return driver;
}

void Unexpected(const Text& what) {
  if (D().report) {
    D().report(what);
    return;
  }
  std::fprintf(stderr, "win32 driver: unexpected %s\n", what.c_str());
  std::abort();
}

Text TextOf(HWND hwnd) {
  if (!hwnd) return Text();
  std::wstring wide(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
  wide.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, wide.data(), static_cast<int>(wide.size()))));
  Text text;
  if (!WideToGbk(wide, &text)) text = "(GBK cannot show this text)";
  return text;
}

// The text a message box shows: Windows keeps it in the static 0xFFFF;
// other implementations number it differently, so any text static will do.
Text MessageTextOf(HWND box) {
  if (HWND text = GetDlgItem(box, kMessageText); text && GetWindowTextLengthW(text) > 0) return TextOf(text);
  HWND found = nullptr;
  EnumChildWindows(
      box,
      [](HWND child, LPARAM data) -> BOOL {
        wchar_t name[16] = {};
        GetClassNameW(child, name, 16);
        const LONG_PTR kind = GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK;
        if (std::wstring(name) == L"Static" && kind != SS_ICON && GetWindowTextLengthW(child) > 0) {
          *reinterpret_cast<HWND*>(data) = child;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return TextOf(found);
}

void Press(HWND dialog, int id) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

int ButtonOf(int answer) {
  switch (answer) {
    case kIdCancel: return IDCANCEL;
    case kIdAbort: return IDABORT;
    case kIdRetry: return IDRETRY;
    case kIdIgnore: return IDIGNORE;
    case kIdYes: return IDYES;
    case kIdNo: return IDNO;
    default: return IDOK;
  }
}

// What nobody expected gets the most harmless button the box has.
int HarmlessButton(HWND dialog) {
  for (int id : {IDCANCEL, IDNO, IDOK, IDABORT}) {
    if (GetDlgItem(dialog, id)) return id;
  }
  return IDCANCEL;
}

void AnswerFileDialog(HWND dialog) {
  TestHooks& test = TheBody().test;
  driver::ShownDialog shown{test.dialogType, test.dialogTitle, test.dialogFileName, test.dialogInitialFolder,
                            test.dialogFilter, false};
  Driver& d = D();
  if (d.dialogAnswers.empty()) {
    shown.unexpected = true;
    d.shownDialogs.push_back(shown);
    Unexpected("file dialog \"" + shown.title + "\"");
    Press(dialog, IDCANCEL);
    return;
  }
  d.shownDialogs.push_back(shown);
  const auto [confirm, path] = d.dialogAnswers.front();
  d.dialogAnswers.pop_front();
  if (!confirm) {
    Press(dialog, IDCANCEL);
    return;
  }
  HWND box = GetDlgItem(dialog, kFileNameCombo);
  if (!box) box = GetDlgItem(dialog, kFileNameEdit);
  std::wstring wide;
  if (!GbkToWide(path, &wide)) wide = Shown(path);
  if (box) SetWindowTextW(box, wide.c_str());
  Press(dialog, IDOK);
}

void AnswerMessageBox(HWND box) {
  TestHooks& test = TheBody().test;
  Driver& d = D();
  const bool expected = test.messagePending;
  test.messagePending = false;
  driver::ShownMessage shown{MessageTextOf(box), expected ? test.messageStyle : 0, TextOf(box), false};
  int button = 0;
  if (expected && !d.messageAnswers.empty()) {
    button = ButtonOf(d.messageAnswers.front());
    d.messageAnswers.pop_front();
    if (!GetDlgItem(box, button) && button != IDCANCEL) button = HarmlessButton(box);
    d.shownMessages.push_back(shown);
  } else {
    shown.unexpected = true;
    d.shownMessages.push_back(shown);
    Unexpected("message box \"" + shown.text + "\"");
    button = HarmlessButton(box);
  }
  Press(box, button);
}

bool IsDialogWindow(HWND hwnd) {
  wchar_t name[16] = {};
  GetClassNameW(hwnd, name, 16);
  return std::wstring(name) == L"#32770";
}

// File dialogs are answered as they become active. A message box is read
// a moment later, from a thread timer that the box's own loop dispatches:
// Wine activates the box before it has set the box's text. (A hook on
// every message would see the end of WM_INITDIALOG, but would slow down
// every message the program sends.)
HWND boxToAnswer = nullptr;

void CALLBACK AnswerLater(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  const HWND box = std::exchange(boxToAnswer, nullptr);
  if (box && IsWindow(box)) AnswerMessageBox(box);
}

LRESULT CALLBACK Watch(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE) {
    const auto hwnd = reinterpret_cast<HWND>(wParam);
    if (IsDialogWindow(hwnd) && D().answered.insert(hwnd).second) {
      if (TheBody().test.dialogPending) {
        TheBody().test.dialogPending = false;
        AnswerFileDialog(hwnd);
      } else {
        boxToAnswer = hwnd;
        SetTimer(nullptr, 0, 0, AnswerLater);
      }
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

int NextPopupAnswer() {
  Driver& d = D();
  if (d.popupAnswers.empty()) return 0;
  const int item = d.popupAnswers.front();
  d.popupAnswers.pop_front();
  return item;
}

// Every action starts here: from now on the program only pretends to start
// programs and browsers, and its boxes are answered.
void Use() {
  Driver& d = D();
  TestHooks& test = TheBody().test;
  test.active = true;
  test.answerPopup = NextPopupAnswer;
  if (!d.hook) d.hook = SetWindowsHookExW(WH_CBT, Watch, nullptr, GetCurrentThreadId());
  // A user acts only once the program is back in its message loop, where
  // held appends and redraws have been handed to the controls; a test
  // reads the controls once they hold all of their texts.
  FlushAllEdits();
  FinishFeeds();
}

// Input reaches a control only while it and its window take input.
HWND Accepting(WindowId window, int id, ControlType type) {
  Use();
  ControlRecord* c = ControlOf(window, id, type);
  if (!c || !c->hwnd) return nullptr;
  const HWND root = GetAncestor(c->hwnd, GA_ROOT);
  if (!IsWindowVisible(c->hwnd) || !IsWindowEnabled(c->hwnd) || !IsWindowEnabled(root)) return nullptr;
  return c->hwnd;
}

LPARAM At(POINT p) { return MAKELPARAM(p.x, p.y); }

LPARAM KeyData(UINT key) { return static_cast<LPARAM>(1 | (MapVirtualKeyW(key, MAPVK_VK_TO_VSC) << 16)); }

// A press, with `release` delivered once the press's handlers have run and
// before the control handles the press (it may wait for the release).
void Press(HWND hwnd, UINT down, WPARAM keys, POINT p, UINT release, LPARAM releaseData) {
  TheBody().test.afterPress.push_back(TestHooks::Input{hwnd, release, 0, releaseData});
  SendMessageW(hwnd, down, keys, At(p));
  DeliverAfterPress();
  driver::Settle();
}

void Click(HWND hwnd, POINT p) { Press(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, p, WM_LBUTTONUP, At(p)); }

// A press that is not released where it began: the control stops tracking it.
void PressOnly(HWND hwnd, POINT p) { Press(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, p, WM_CANCELMODE, 0); }

POINT Centre(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

// A point of the client area where no item is: the bottom right corner.
POINT Empty(HWND hwnd) {
  RECT r{};
  GetClientRect(hwnd, &r);
  return POINT{std::max(0L, r.right - 3), std::max(0L, r.bottom - 3)};
}

// A tree item a test acts on or looks at, in the platform tree and drawn:
// putting it there may have added items under a held redraw.
HTREEITEM TreeItemToActOn(ControlRecord& c, int item) {
  const HTREEITEM handle = ShownTreeItem(c, item);
  FlushAllEdits();
  return handle;
}

POINT RowPoint(HWND list, int row) {
  const auto count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  if (row >= 0 && row < count) {
    SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
    RECT r{};
    r.left = LVIR_LABEL;
    SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
    return Centre(r);
  }
  // Below the last row.
  RECT client{};
  GetClientRect(list, &client);
  int y = client.bottom - 3;
  if (count > 0) {
    RECT last{};
    last.left = LVIR_BOUNDS;
    SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(count - 1), reinterpret_cast<LPARAM>(&last));
    if (last.bottom + 5 < client.bottom) y = last.bottom + 5;
  }
  return POINT{10, y};
}

HWND WindowHandle(WindowId window) {
  WindowRecord* w = FindWindowRecord(window);
  return w ? w->hwnd : nullptr;
}

HWND ControlHandle(Control control) {
  if (control.id() == 0) return WindowHandle(control.window());
  ControlRecord* c = FindControlRecord(control.window(), control.id());
  return c ? c->hwnd : nullptr;
}

void SystemCommand(WindowId window, WPARAM command) {
  const HWND hwnd = WindowHandle(window);
  if (!hwnd || !IsWindowEnabled(hwnd)) return;
  SendMessageW(hwnd, WM_SYSCOMMAND, command, 0);
  driver::Settle();
}

}  // namespace

namespace driver {

void PressRow(ListView list, int row) {
  if (HWND hwnd = Accepting(list.window(), list.id(), ControlType::ListView)) PressOnly(hwnd, RowPoint(hwnd, row));
}

void ReleaseRow(ListView list, int row) {
  HWND hwnd = Accepting(list.window(), list.id(), ControlType::ListView);
  if (!hwnd) return;
  PostMessageW(hwnd, WM_LBUTTONUP, 0, At(RowPoint(hwnd, row)));
  Settle();
}

void ClickRow(ListView list, int row) {
  if (HWND hwnd = Accepting(list.window(), list.id(), ControlType::ListView)) Click(hwnd, RowPoint(hwnd, row));
}

void DoubleClickRow(ListView list, int row) {
  HWND hwnd = Accepting(list.window(), list.id(), ControlType::ListView);
  if (!hwnd) return;
  const POINT p = RowPoint(hwnd, row);
  Click(hwnd, p);
  if ((hwnd = Accepting(list.window(), list.id(), ControlType::ListView))) {
    Press(hwnd, WM_LBUTTONDBLCLK, MK_LBUTTON, p, WM_LBUTTONUP, At(p));
  }
}

void RightClickRow(ListView list, int row) {
  HWND hwnd = Accepting(list.window(), list.id(), ControlType::ListView);
  if (!hwnd) return;
  const POINT p = RowPoint(hwnd, row);
  Press(hwnd, WM_RBUTTONDOWN, MK_RBUTTON, p, WM_RBUTTONUP, At(p));
}

void ClickRowCheckBox(ListView list, int row) {
  HWND hwnd = Accepting(list.window(), list.id(), ControlType::ListView);
  if (!hwnd || row < 0 || row >= static_cast<int>(SendMessageW(hwnd, LVM_GETITEMCOUNT, 0, 0))) return;
  SendMessageW(hwnd, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
  RECT bounds{};
  bounds.left = LVIR_BOUNDS;
  SendMessageW(hwnd, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&bounds));
  // The check box is the row's state image, left of its text.
  for (LONG x = bounds.left; x < bounds.left + 48; ++x) {
    LVHITTESTINFO hit{};
    hit.pt = POINT{x, (bounds.top + bounds.bottom) / 2};
    SendMessageW(hwnd, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    if (hit.iItem == row && (hit.flags & LVHT_ONITEMSTATEICON)) {
      Click(hwnd, hit.pt);
      return;
    }
  }
}

void ClickTreeItem(TreeBox tree, int item) {
  HWND hwnd = Accepting(tree.window(), tree.id(), ControlType::TreeBox);
  if (!hwnd) return;
  ControlRecord* c = ControlOf(tree.window(), tree.id(), ControlType::TreeBox);
  if (!c->tree.Contains(item)) {
    Click(hwnd, Empty(hwnd));
    return;
  }
  HTREEITEM handle = TreeItemToActOn(*c, item);
  SendMessageW(hwnd, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(handle));
  // TVM_GETITEMRECT takes the item in the rectangle it fills.
  RECT r{};
  std::memcpy(&r, &handle, sizeof handle);
  if (!SendMessageW(hwnd, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&r))) return;
  Click(hwnd, Centre(r));
}

void KeyTreeItem(TreeBox tree, int item) {
  HWND hwnd = Accepting(tree.window(), tree.id(), ControlType::TreeBox);
  if (!hwnd) return;
  ControlRecord* c = ControlOf(tree.window(), tree.id(), ControlType::TreeBox);
  if (!c->tree.Contains(item)) return;
  const auto target = TreeItemToActOn(*c, item);
  auto caret = [&] { return reinterpret_cast<HTREEITEM>(SendMessageW(hwnd, TVM_GETNEXTITEM, TVGN_CARET, 0)); };
  if (caret() == target) return;
  // The keyboard moves between neighbours: start from one (quietly, as if
  // the user had got there before) and press the key that reaches the item.
  UINT key = VK_HOME;
  {
    Muted quiet;
    SetFocus(hwnd);
    SendMessageW(hwnd, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(target));
    const auto before = reinterpret_cast<HTREEITEM>(
        SendMessageW(hwnd, TVM_GETNEXTITEM, TVGN_PREVIOUSVISIBLE, reinterpret_cast<LPARAM>(target)));
    const auto after = reinterpret_cast<HTREEITEM>(
        SendMessageW(hwnd, TVM_GETNEXTITEM, TVGN_NEXTVISIBLE, reinterpret_cast<LPARAM>(target)));
    if (before) {
      SendMessageW(hwnd, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(before));
      key = VK_DOWN;
    } else if (after) {
      SendMessageW(hwnd, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(after));
      key = VK_UP;
    }
  }
  if (caret() == target) return;
  PostMessageW(hwnd, WM_KEYDOWN, key, KeyData(key));
  Settle();
}

namespace {

HWND EditOf(ListView list) {
  ControlRecord* c = ControlOf(list.window(), list.id(), ControlType::ListView);
  return c ? reinterpret_cast<HWND>(SendMessageW(c->hwnd, LVM_GETEDITCONTROL, 0, 0)) : nullptr;
}

}  // namespace

void ConfirmLabelEdit(ListView list, const Text& text) {
  Use();
  const HWND edit = EditOf(list);
  if (!edit) return;
  std::wstring wide;
  if (!GbkToWide(text, &wide)) wide = Shown(text);
  SetWindowTextW(edit, wide.c_str());
  PostMessageW(edit, WM_KEYDOWN, VK_RETURN, KeyData(VK_RETURN));
  Settle();
}

void CancelLabelEdit(ListView list) {
  Use();
  const HWND edit = EditOf(list);
  if (!edit) return;
  // The edit box's own cancel. Sent, not queued: in a window that closes on
  // Esc the key never reaches the edit box through the loop.
  SendMessageW(edit, WM_KEYDOWN, VK_ESCAPE, KeyData(VK_ESCAPE));
  Settle();
}

bool LabelEditActive(ListView list) { return EditOf(list) != nullptr; }

bool ChooseMenu(MenuItem item) {
  Use();
  WindowRecord* w = FindWindowRecord(item.window());
  if (!w || !IsWindowEnabled(w->hwnd) || !MenuItemEnabled(*w, item.id())) return false;
  PostMessageW(w->hwnd, WM_COMMAND, MAKEWPARAM(item.id(), 0), 0);
  Settle();
  return true;
}

void PressShortcut(WindowId window, char key) {
  Use();
  WindowRecord* w = FindWindowRecord(window);
  if (!w || !IsWindowEnabled(w->hwnd)) return;
  HWND target = GetFocus();
  if (!target || GetAncestor(target, GA_ROOT) != w->hwnd) target = w->hwnd;
  const UINT vk = static_cast<UINT>((key >= 'a' && key <= 'z') ? key - 'a' + 'A' : key);
  // The accelerator reads the key state: Ctrl is held while the key arrives.
  BYTE saved[256] = {};
  GetKeyboardState(saved);
  BYTE held[256];
  std::copy(std::begin(saved), std::end(saved), std::begin(held));
  held[VK_CONTROL] |= 0x80;
  held[VK_LCONTROL] |= 0x80;
  SetKeyboardState(held);
  PostMessageW(target, WM_KEYDOWN, vk, KeyData(vk));
  MSG msg;
  if (PeekMessageW(&msg, target, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE)) PumpOne(msg);
  SetKeyboardState(saved);
  Settle();
}

void AnswerNextPopup(int menuItem) {
  Use();
  D().popupAnswers.push_back(menuItem);
}

int LastPopupMenu() { return TheBody().test.lastPopup; }
std::vector<bool> LastPopupDisabledStates() { return TheBody().test.lastPopupStates; }

void ClickToolButton(ToolBar bar, int position) {
  HWND hwnd = Accepting(bar.window(), bar.id(), ControlType::ToolBar);
  if (!hwnd) return;
  RECT r{};
  if (!SendMessageW(hwnd, TB_GETITEMRECT, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(&r))) return;
  Click(hwnd, Centre(r));
}

void ClickButton(Control button) {
  ControlRecord* c = FindControlRecord(button.window(), button.id());
  if (!c || (c->type != ControlType::Button && c->type != ControlType::RadioBox &&
             c->type != ControlType::HyperLinker)) {
    return;
  }
  HWND hwnd = Accepting(button.window(), button.id(), c->type);
  if (!hwnd) return;
  RECT r{};
  GetClientRect(hwnd, &r);
  Click(hwnd, Centre(r));
}

void ClickListItem(ListBox box, int index) {
  HWND hwnd = Accepting(box.window(), box.id(), ControlType::ListBox);
  if (!hwnd || index < 0 || index >= static_cast<int>(SendMessageW(hwnd, LB_GETCOUNT, 0, 0))) return;
  RECT r{};
  RECT client{};
  GetClientRect(hwnd, &client);
  SendMessageW(hwnd, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
  if (r.top < client.top || r.bottom > client.bottom) {
    SendMessageW(hwnd, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
    SendMessageW(hwnd, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
  }
  Click(hwnd, Centre(r));
}

void ClickTab(Tab tab, int page) {
  HWND hwnd = Accepting(tab.window(), tab.id(), ControlType::Tab);
  if (!hwnd) return;
  RECT r{};
  if (SendMessageW(hwnd, TCM_GETITEMRECT, static_cast<WPARAM>(page), reinterpret_cast<LPARAM>(&r))) {
    Click(hwnd, Centre(r));
    return;
  }
  // No such tab: the strip beside the last one.
  const auto count = static_cast<int>(SendMessageW(hwnd, TCM_GETITEMCOUNT, 0, 0));
  if (count > 0 && SendMessageW(hwnd, TCM_GETITEMRECT, static_cast<WPARAM>(count - 1), reinterpret_cast<LPARAM>(&r))) {
    Click(hwnd, POINT{r.right + 5, (r.top + r.bottom) / 2});
  }
}

void TypeText(EditBox box, const Text& text) {
  HWND hwnd = Accepting(box.window(), box.id(), ControlType::EditBox);
  if (!hwnd || (GetWindowLongPtrW(hwnd, GWL_STYLE) & ES_READONLY)) return;
  std::wstring wide;
  if (!GbkToWide(text, &wide)) wide = Shown(text);
  SetFocus(hwnd);
  // As a paste over the whole text: one change.
  SendMessageW(hwnd, EM_SETSEL, 0, -1);
  SendMessageW(hwnd, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(wide.c_str()));
  Settle();
}

int ShownLength(EditBox box) {
  Settle();
  FinishFeeds();
  const HWND hwnd = ControlHandle(box);
  return hwnd ? GetWindowTextLengthW(hwnd) : 0;
}

void PressEscape(Control control) {
  Use();
  HWND hwnd = ControlHandle(control);
  if (!hwnd || !IsWindowEnabled(GetAncestor(hwnd, GA_ROOT))) return;
  // The key goes where the keyboard focus is, if that is inside the control
  // (the list's in-place edit box is).
  HWND focus = GetFocus();
  if (focus && (focus == hwnd || IsChild(hwnd, focus))) hwnd = focus;
  PostMessageW(hwnd, WM_KEYDOWN, VK_ESCAPE, KeyData(VK_ESCAPE));
  Settle();
}

void MoveMouse(Control control) {
  Use();
  HWND hwnd = ControlHandle(control);
  if (!hwnd || !IsWindowEnabled(GetAncestor(hwnd, GA_ROOT))) return;
  SendMessageW(hwnd, WM_MOUSEMOVE, 0, At(Empty(hwnd)));
  Settle();
}

void PressMouse(Control control) {
  Use();
  HWND hwnd = ControlHandle(control);
  if (!hwnd || !IsWindowEnabled(GetAncestor(hwnd, GA_ROOT))) return;
  PressOnly(hwnd, Empty(hwnd));
}

void ClickCloseBox(WindowId window) {
  Use();
  SystemCommand(window, SC_CLOSE);
}

void Maximize(WindowId window) {
  Use();
  const HWND hwnd = WindowHandle(window);
  if (hwnd && (GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_MAXIMIZEBOX) && !IsZoomed(hwnd)) {
    SystemCommand(window, SC_MAXIMIZE);
  }
}

void Restore(WindowId window) {
  Use();
  const HWND hwnd = WindowHandle(window);
  if (hwnd && (IsZoomed(hwnd) || IsIconic(hwnd))) SystemCommand(window, SC_RESTORE);
}

void Minimize(WindowId window) {
  Use();
  const HWND hwnd = WindowHandle(window);
  if (hwnd && (GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_MINIMIZEBOX) && !IsIconic(hwnd)) {
    SystemCommand(window, SC_MINIMIZE);
  }
}

void Settle() {
  Use();
  // Whatever is queued now and whatever handling it queues in turn; a
  // deadline instead of a fixed wait, in case something keeps posting.
  const ULONGLONG deadline = GetTickCount64() + 5000;
  MSG msg;
  while (GetTickCount64() < deadline && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) continue;
    PumpOne(msg);
  }
  FlushAllEdits();
}

void RunUntilDone(double* handOver, double* longestMessage) {
  LARGE_INTEGER frequency{};
  QueryPerformanceFrequency(&frequency);
  const auto now = [&] {
    LARGE_INTEGER t{};
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / static_cast<double>(frequency.QuadPart);
  };
  const double start = now();
  FlushAllEdits();
  *handOver = now() - start;
  *longestMessage = 0;
  MSG msg;
  while (AnyFeeding()) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) continue;
      const double before = now();
      PumpOne(msg);
      *longestMessage = std::max(*longestMessage, now() - before);
    }
  }
}

void KeepShowing(int milliseconds) {
  Use();
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(std::max(milliseconds, 0));
  MSG msg;
  for (ULONGLONG now = GetTickCount64(); now < end; now = GetTickCount64()) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message != WM_QUIT) PumpOne(msg);
    }
  }
}

void OnUnexpected(void (*report)(const Text& what)) { D().report = report; }

void AnswerNextMessage(int button) {
  Use();
  D().messageAnswers.push_back(button);
}

void AnswerNextDialog(const Text& path) {
  Use();
  D().dialogAnswers.emplace_back(true, path);
}

void CancelNextDialog() {
  Use();
  D().dialogAnswers.emplace_back(false, Text());
}

std::vector<ShownMessage> TakeShownMessages() { return std::exchange(D().shownMessages, {}); }
std::vector<ShownDialog> TakeShownDialogs() { return std::exchange(D().shownDialogs, {}); }
std::vector<Text> TakeStartedPrograms() { return std::exchange(TheBody().test.startedPrograms, {}); }
std::vector<Text> TakeOpenedAddresses() { return std::exchange(TheBody().test.openedAddresses, {}); }

TreeItemLook LookAtTreeItem(TreeBox tree, int item) {
  ControlRecord* c = ControlOf(tree.window(), tree.id(), ControlType::TreeBox);
  if (!c || !c->tree.Contains(item)) return {};
  // Read back from the control, not from the body's own records.
  TVITEMW data{};
  data.mask = TVIF_HANDLE | TVIF_IMAGE | TVIF_STATE;
  data.hItem = TreeItemToActOn(*c, item);
  data.stateMask = TVIS_EXPANDED;
  SendMessageW(c->hwnd, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&data));
  const auto parent = reinterpret_cast<HTREEITEM>(
      SendMessageW(c->hwnd, TVM_GETNEXTITEM, TVGN_PARENT, reinterpret_cast<LPARAM>(data.hItem)));
  TreeItemLook look{data.iImage, -1, (data.state & TVIS_EXPANDED) != 0};
  for (int i = 0; parent && i < c->tree.Count(); ++i) {
    if (c->tree[i].shown && c->tree[i].shown->handle == parent) look.parent = i;
  }
  return look;
}

bool UnderWine() {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

void Reset() {
  Use();
  std::vector<WindowId> open;
  for (auto& [id, w] : TheBody().windows) open.push_back(id);
  for (WindowId id : open) DestroyNow(id);
  Settle();
  Driver& d = D();
  d.messageAnswers.clear();
  d.dialogAnswers.clear();
  d.popupAnswers.clear();
  d.shownMessages.clear();
  d.shownDialogs.clear();
  d.answered.clear();
  TestHooks& test = TheBody().test;
  test.startedPrograms.clear();
  test.openedAddresses.clear();
  test.lastPopup = 0;
  test.lastPopupStates.clear();
  test.afterPress.clear();
  test.messagePending = false;
  test.dialogPending = false;
}

}  // namespace driver
