// Keeping the tree, the list and the text view in step while the user
// points and clicks. None of these handlers changes the document.
#include "commands/commands.h"
#include "commands/views.h"
#include "editor/editor_state.h"
#include "editor/log.h"
#include "editor/window_ids.h"

using namespace MainWindow;

namespace {

const Text kSameAsListHint = "当前文本内容于列表项同";

// Selects the text of `row` in the text view. When the view holds the rows'
// texts in order, that is the row's own line: a key such as enabled=1 that
// several sections repeat is found where this row has it. Otherwise (the
// checked lines, the tree) the first place the text occurs.
void HighlightRow(int row, bool viewHoldsRows) {
  const Text text = 超级列表框1.GetCellText(row, 0);
  if (viewHoldsRows && row >= 0 && row < 超级列表框1.RowCount()) {
    编辑框1.SetSelectionStart(LineOffsetOfRow(row));
  } else {
    编辑框1.SetSelectionStart(FindText(编辑框1.Content(), text) - 1);
  }
  编辑框1.SetSelectionLength(TextLength(text));
}

}  // namespace

void RenderTextView() { ShowInTextView(RenderedRows()); }

void OnTreeSelectionChanged(int) {
  const int item = 树型框1.SelectedItem();
  超级列表框1.EnsureRowVisible(item);
  超级列表框1.SelectRow(item);
  编辑框1.SetSelectionLength(0);
}

void OnListMouseDown() {
  超级列表框1.SelectRow(超级列表框1.SelectedRow());
  编辑框1.SetSelectionLength(0);
  if (超级列表框1.SelectedRow() == -1) SetItemCommandsDisabled(true);
}

void OnListClicked() {
  if (超级列表框1.RowCount() == 0) return;
  选择夹1.SetCurrentPage(0);
  const int selected = 超级列表框1.SelectedRow();
  if (selected != -1) {
    SetItemCommandsDisabled(false);
    RefreshNow(kMainWindow);
    SetStatusText(0, "当前选定第" + ToText(selected + 1) + "行");
    if (Editor().modified == 1) 恢复当前编辑项.SetDisabled(false);
  }
  SetStatusText(1, "列表项;双击,编辑项目,文本定位到相应行");
}

void OnListMouseUp() {
  if (Editor().modified != 1) return;
  RenderTextView();
  HighlightRow(Editor().lastEditedRow, true);
}

void OnListDoubleClicked() { HighlightRow(超级列表框1.SelectedRow(), 编辑框1.Content() == RenderedRows()); }

void OnListRightButtonDown() { PopupMenu(kMainWindow, k编辑菜单); }

void OnLogSelectionChanged() { SetStatusText(1, 列表框2.GetListItemText(列表框2.CurrentSelection())); }

void ShowTreeHint() { SetStatusText(1, "目录树.单击,列表定位到相应项"); }

void ShowListHint() { SetStatusText(1, "列表项,双击,文本定位到相应行"); }

void ShowTextViewPressHint() { SetStatusText(1, "文本查看;为最终保存文本"); }

void ShowTextViewMoveHint() { SetStatusText(1, 编辑框1.Content().empty() ? Text() : kSameAsListHint); }

// The event comes before the tab control switches pages: the hint names
// the page the click is about to show.
void ShowTabHint() {
  if (选择夹1.CurrentPage() == 1) {
    SetStatusText(1, 编辑框1.Content().empty() ? Text("目标文本") : kSameAsListHint);
  } else {
    SetStatusText(1, "日志");
  }
}
