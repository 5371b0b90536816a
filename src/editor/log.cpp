#include "editor/log.h"

#include "editor/editor_state.h"
#include "editor/window_ids.h"

void AppendLog(const Text& text) {
  EditorState& state = Editor();
  state.logCounter = state.logCounter + 1;
  MainWindow::列表框2.AddListItem(ToText(state.logCounter) + text);
}

void SetStatusText(int pane, const Text& text) { MainWindow::状态条1.SetPartText(pane, text); }
