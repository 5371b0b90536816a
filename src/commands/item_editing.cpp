// Inserting, editing and deleting lines in the list. Only the list, the
// editing state's flags, the menus, the toolbar, the log and the status
// line change; the tree and the text view catch up later.
#include "commands/commands.h"
#include "editor/editor_state.h"
#include "editor/log.h"
#include "editor/window_ids.h"

using namespace MainWindow;

namespace {

const Text kNewItem = "新项目";
const Text kChooseWhereToInsert = "请选则需要插入的位置";

// Makes the new row: the placeholder in both columns, then its in-place
// edit (the command does not wait for the edit to end).
void MakeNewRow(int row) {
  超级列表框1.SetCellText(row, 1, kNewItem);
  超级列表框1.EditRowLabel(row);
}

}  // namespace

void InsertAbove() {
  const int selected = 超级列表框1.SelectedRow();
  if (selected == -1) {
    ShowMessage(kChooseWhereToInsert);
    return;
  }
  超级列表框1.InsertRow(selected, kNewItem);
  MakeNewRow(超级列表框1.SelectedRow() - 1);
  AppendLog(":在第" + ToText(超级列表框1.SelectedRow()) + "行上插入了新项目\r\n");
  SetStatusText(1, "向上插入项");
  Editor().modified = 1;
}

void InsertBelow() {
  if (超级列表框1.RowCount() > 0 && 超级列表框1.SelectedRow() == -1) {
    ShowMessage(kChooseWhereToInsert);
    return;
  }
  超级列表框1.InsertRow(超级列表框1.SelectedRow() + 1, kNewItem);
  MakeNewRow(超级列表框1.SelectedRow() + 1);
  // Rows are counted from 1 here as everywhere the user sees a row number.
  AppendLog(":在第" + ToText(超级列表框1.SelectedRow() + 1) + "行下插入了新项目\r\n");
  SetStatusText(1, "向下插入项");
  Editor().modified = 1;
  // An empty or untitled document gets its first line this way only, so
  // the commands that need lines come on with it.
  for (const MenuItem& item : {用记事本打开, 保存, 另存为, 恢复到最初, 查找, 提取所有, 提取钩选项, 提取目录树}) {
    item.SetDisabled(false);
  }
  for (int position : {2, 3, 5, 6, 7, 9}) 工具条1.SetButtonEnabled(position, true);
}

void EditSelected() {
  if (超级列表框1.RowCount() > 0 && 超级列表框1.SelectedRow() == -1) {
    ShowMessage(kChooseWhereToInsert);
    return;
  }
  超级列表框1.EditRowLabel(超级列表框1.SelectedRow());
  if (Editor().modified == 1) {
    AppendLog(":编辑选定项" + 超级列表框1.GetCellText(超级列表框1.SelectedRow(), 0) + "\r\n");
    SetStatusText(1, "编辑选定项");
  }
}

void OnLabelEditEnded(int row) {
  EditorState& state = Editor();
  state.modified = 1;
  for (const MenuItem& item : {恢复当前编辑项, 恢复所有编辑项, 恢复到最初}) item.SetDisabled(false);
  // The edited row still holds its text from before the edit. It is the
  // row the entry names, also when the selection is on another one (after
  // an insert the new row is edited while its neighbour stays selected).
  AppendLog(":编辑选定项" + 超级列表框1.GetCellText(row, 0) + "\r\n");
  工具条1.SetButtonEnabled(2, true);
  state.lastEditedRow = row;
}

void DeleteSelected() {
  const int selected = 超级列表框1.SelectedRow();
  if (selected == -1) {
    ShowMessage("请选则需要删除的项目");
    return;
  }
  AppendLog(":删除选定项" + 超级列表框1.GetCellText(selected, 0) + "\r\n");
  超级列表框1.DeleteRow(超级列表框1.SelectedRow());
  Editor().modified = 1;
  SetStatusText(1, "删除选定项");
}
