// The test driver on the memory body: each action raises the events the
// real controls raise for it, in the same order, and changes what the
// control itself would change.
#include "primitives/driver.h"

#include "primitives/memory/body.h"
#include "primitives/shown_offsets.h"

using namespace memory_body;

namespace {

// Input reaches a control only when its window takes input (no modal
// window above it) and the control is enabled and shown.
ControlState* Accepting(WindowId window, int id, ControlType type) {
  WindowState* w = FindWindow(window);
  if (!w || w->disabled) return nullptr;
  ControlState* c = FindControl(window, id);
  if (!c || c->type != type || c->disabled || !c->visible) return nullptr;
  return c;
}

int RowUnder(const ControlState& list, int row) {
  return row >= 0 && row < static_cast<int>(list.rowChecked.size()) ? row : -1;
}

// What the list does with a left press: the row under the pointer becomes
// the selection; the empty area clears it.
void SelectUnderPointer(ControlState& list, int row) {
  list.selectedRow = RowUnder(list, row);
  if (list.selectedRow >= 0) list.focusedRow = list.selectedRow;
}

}  // namespace

namespace driver {

void PressRow(ListView list, int row) {
  ControlState* c = Accepting(list.window(), list.id(), ControlType::ListView);
  if (!c) return;
  Raise(list.window(), list.id(), Event::MouseDown);
  if ((c = FindControl(list.window(), list.id()))) SelectUnderPointer(*c, row);
}

void ReleaseRow(ListView list, int) {
  if (!Accepting(list.window(), list.id(), ControlType::ListView)) return;
  Raise(list.window(), list.id(), Event::MouseUp);
}

void ClickRow(ListView list, int row) {
  if (!Accepting(list.window(), list.id(), ControlType::ListView)) return;
  PressRow(list, row);
  Raise(list.window(), list.id(), Event::Clicked);
  ReleaseRow(list, row);
}

void DoubleClickRow(ListView list, int row) {
  if (!Accepting(list.window(), list.id(), ControlType::ListView)) return;
  ClickRow(list, row);
  Raise(list.window(), list.id(), Event::DoubleClick);
  if (ControlState* c = FindControl(list.window(), list.id())) SelectUnderPointer(*c, row);
  ReleaseRow(list, row);
}

void RightClickRow(ListView list, int row) {
  ControlState* c = Accepting(list.window(), list.id(), ControlType::ListView);
  if (!c) return;
  Raise(list.window(), list.id(), Event::RightButtonDown);
  if ((c = FindControl(list.window(), list.id())) && RowUnder(*c, row) >= 0) SelectUnderPointer(*c, row);
}

void ClickRowCheckBox(ListView list, int row) {
  ControlState* c = Accepting(list.window(), list.id(), ControlType::ListView);
  if (!c || RowUnder(*c, row) < 0) return;
  Raise(list.window(), list.id(), Event::MouseDown);
  if ((c = FindControl(list.window(), list.id())) && RowUnder(*c, row) >= 0) {
    int& checked = c->rowChecked[static_cast<std::size_t>(row)];
    checked = checked ? 0 : 1;
  }
  Raise(list.window(), list.id(), Event::Clicked);
  Raise(list.window(), list.id(), Event::MouseUp);
}

namespace {

void SelectTreeItem(TreeBox tree, int item, int cause) {
  ControlState* c = Accepting(tree.window(), tree.id(), ControlType::TreeBox);
  if (!c || !c->tree.Contains(item) || c->selectedItem == item) return;
  c->selectedItem = item;
  Raise(tree.window(), tree.id(), Event::SelectionChanged, cause);
}

}  // namespace

void ClickTreeItem(TreeBox tree, int item) {
  if (!Accepting(tree.window(), tree.id(), ControlType::TreeBox)) return;
  Raise(tree.window(), tree.id(), Event::MouseDown);
  SelectTreeItem(tree, item, kTreeCauseMouse);
}

void KeyTreeItem(TreeBox tree, int item) { SelectTreeItem(tree, item, kTreeCauseKeyboard); }

namespace {

void EndLabelEdit(ListView list, const Text* text) {
  ControlState* c = FindControl(list.window(), list.id());
  if (!c || c->type != ControlType::ListView || c->editingRow < 0) return;
  const int row = c->editingRow;
  c->editingRow = -1;
  // Column 0 keeps the old text while the handler runs; the typed text is
  // stored afterwards unless the handler refused it.
  const bool accepted = Raise(list.window(), list.id(), Event::LabelEditEnded, row);
  if (text && accepted) list.SetCellText(row, 0, *text);
}

}  // namespace

void ConfirmLabelEdit(ListView list, const Text& text) { EndLabelEdit(list, &text); }
void CancelLabelEdit(ListView list) { EndLabelEdit(list, nullptr); }

bool LabelEditActive(ListView list) {
  ControlState* c = FindControl(list.window(), list.id());
  return c && c->editingRow >= 0;
}

bool ChooseMenu(MenuItem item) {
  WindowState* w = FindWindow(item.window());
  if (!w || w->disabled || !MenuItemEnabled(*w, item.id())) return false;
  Raise(item.window(), item.id(), Event::Chosen);
  return true;
}

void PressShortcut(WindowId window, char key) {
  WindowState* w = FindWindow(window);
  if (!w) return;
  for (const ShortcutSpec& shortcut : w->form.shortcuts) {
    if (shortcut.key == key) {
      ChooseMenu(MenuItem(window, shortcut.menuItem));
      return;
    }
  }
}

void AnswerNextPopup(int menuItem) { TheBody().popupAnswers.push_back(menuItem); }
int LastPopupMenu() { return TheBody().lastPopup; }
std::vector<bool> LastPopupDisabledStates() { return TheBody().lastPopupStates; }

void ClickToolButton(ToolBar bar, int position) {
  ControlState* c = Accepting(bar.window(), bar.id(), ControlType::ToolBar);
  if (!c || position < 0 || position >= static_cast<int>(c->buttonEnabled.size())) return;
  if (c->separator[static_cast<std::size_t>(position)] || !c->buttonEnabled[static_cast<std::size_t>(position)]) return;
  Raise(bar.window(), bar.id(), Event::ButtonClicked, position);
}

void ClickButton(Control button) {
  ControlState* c = FindControl(button.window(), button.id());
  if (!c || (c->type != ControlType::Button && c->type != ControlType::RadioBox &&
             c->type != ControlType::HyperLinker)) {
    return;
  }
  if (!Accepting(button.window(), button.id(), c->type)) return;
  if (c->type == ControlType::HyperLinker) {
    // A web link asks the system to show its address; it raises no event.
    for (const ControlSpec& design : FindWindow(button.window())->form.controls) {
      if (design.id == button.id()) OpenWebAddress(design.address);
    }
    return;
  }
  if (c->type == ControlType::RadioBox && (c->style & kAutoRadio)) {
    // An automatic option button checks itself and clears the others of
    // its group: the buttons up to the next group start.
    WindowState* w = FindWindow(button.window());
    const std::vector<ControlSpec>& designs = w->form.controls;
    std::size_t at = 0;
    while (at < designs.size() && designs[at].id != button.id()) ++at;
    std::size_t first = at;
    while (first > 0 && !(designs[first].style & kGroupStart)) --first;
    for (std::size_t i = first; i < designs.size(); ++i) {
      if (i > first && (designs[i].style & kGroupStart)) break;
      if (designs[i].type == ControlType::RadioBox) w->controls.at(designs[i].id).checked = designs[i].id == button.id();
    }
  }
  Raise(button.window(), button.id(), Event::Clicked);
}

void ClickListItem(ListBox box, int index) {
  ControlState* c = Accepting(box.window(), box.id(), ControlType::ListBox);
  if (!c || index < 0 || index >= static_cast<int>(c->items.size())) return;
  c->currentItem = index;
  Raise(box.window(), box.id(), Event::SelectionChanged);
}

void ClickTab(Tab tab, int page) {
  if (!Accepting(tab.window(), tab.id(), ControlType::Tab)) return;
  Raise(tab.window(), tab.id(), Event::MouseDown);
  tab.SetCurrentPage(page);
}

void TypeText(EditBox box, const Text& text) {
  ControlState* c = Accepting(box.window(), box.id(), ControlType::EditBox);
  if (!c || (c->style & kReadOnlyEdit)) return;
  c->content = text;
  c->selectionStart = TextLength(text);
  c->selectionLength = 0;
  Raise(box.window(), box.id(), Event::ContentChanged);
}

int ShownLength(EditBox box) {
  const ControlState* c = FindControl(box.window(), box.id());
  return c ? BytesToShownUnits(c->content, TextLength(c->content)) : 0;
}

void PressEscape(Control control) {
  WindowState* w = FindWindow(control.window());
  if (!w || w->disabled || !(w->form.style & kEscCloses)) return;
  RequestClose(control.window());
}

void MoveMouse(Control control) {
  if (WindowState* w = FindWindow(control.window()); w && !w->disabled) {
    Raise(control.window(), control.id(), Event::MouseMove);
  }
}

void PressMouse(Control control) {
  if (WindowState* w = FindWindow(control.window()); w && !w->disabled) {
    Raise(control.window(), control.id(), Event::MouseDown);
  }
}

void ClickCloseBox(WindowId window) { RequestClose(window); }

void Maximize(WindowId window) {
  WindowState* w = FindWindow(window);
  if (!w || w->maximized || !(w->form.style & kMaximizeBox)) return;
  if (!w->minimized) w->restored = w->geometry;
  w->minimized = false;
  w->maximized = true;
  w->geometry = Geometry{0, 0, kScreenWidth, kScreenHeight};
  ResizeWindow(window, kScreenWidth, kScreenHeight);
}

void Restore(WindowId window) {
  WindowState* w = FindWindow(window);
  if (!w || (!w->maximized && !w->minimized)) return;
  w->minimized = w->maximized = false;
  w->geometry = w->restored;
  ResizeWindow(window, w->restored.width, w->restored.height);
}

void Minimize(WindowId window) {
  WindowState* w = FindWindow(window);
  if (!w || w->minimized || !(w->form.style & kMinimizeBox)) return;
  if (!w->maximized) w->restored = w->geometry;
  w->maximized = false;
  w->minimized = true;
  Raise(window, 0, Event::SizeChanged);
}

void Settle() {
  if (TheBody().dispatchDepth == 0) RunPending();
}

void OnUnexpected(void (*report)(const Text& what)) { TheBody().reportUnexpected = report; }

void AnswerNextMessage(int button) { TheBody().messageAnswers.push_back(button); }
void AnswerNextDialog(const Text& path) { TheBody().dialogAnswers.emplace_back(true, path); }
void CancelNextDialog() { TheBody().dialogAnswers.emplace_back(false, Text()); }

std::vector<ShownMessage> TakeShownMessages() { return std::exchange(TheBody().shownMessages, {}); }
std::vector<ShownDialog> TakeShownDialogs() { return std::exchange(TheBody().shownDialogs, {}); }
std::vector<Text> TakeStartedPrograms() { return std::exchange(TheBody().startedPrograms, {}); }
std::vector<Text> TakeOpenedAddresses() { return std::exchange(TheBody().openedAddresses, {}); }

bool UnderWine() { return false; }

TreeItemLook LookAtTreeItem(TreeBox tree, int item) {
  ControlState* c = FindControl(tree.window(), tree.id());
  if (!c || !c->tree.Contains(item)) return {};
  return {c->tree[item].image, c->tree.Parent(item), c->tree[item].expanded};
}

void RunUntilDone(double* handOver, double* longestMessage) { *handOver = *longestMessage = 0; }
void KeepShowing(int) {}

void Reset() {
  Body& body = TheBody();
  auto report = body.reportUnexpected;
  body = Body();
  body.reportUnexpected = report;
}

}  // namespace driver
