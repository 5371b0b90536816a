// Undoing edits: a row or every row back to its text from before the
// edits, or the whole list back to the document as loaded.
#include <utility>

#include "commands/commands.h"
#include "commands/views.h"
#include "editor/editor_state.h"
#include "editor/log.h"
#include "editor/window_ids.h"

using namespace MainWindow;

void RestoreCurrent() {
  const int selected = 超级列表框1.SelectedRow();
  if (selected == -1) {
    ShowMessage("请选择需要恢复项目!");
    return;
  }
  if (TextsEqual(超级列表框1.GetCellText(selected, 0), 超级列表框1.GetCellText(selected, 1))) {
    ShowMessage("当前项目未经过编辑,请选择编辑过得项目");
    return;
  }
  超级列表框1.SetCellText(selected, 0, 超级列表框1.CellView(selected, 1));
  AppendLog(":恢复当前编辑项" + 超级列表框1.GetCellText(超级列表框1.SelectedRow(), 0) + "\r\n");
  SetStatusText(1, "恢复当前编辑项");
  Editor().modified = 1;
}

void RestoreAll() {
  if (ShowMessage("真的要恢复所有修改吗?", kMbOkCancel | kMbIconQuestion, "询问") != kIdOk) return;
  const int rows = 超级列表框1.RowCount();
  // Without a copy: a row whose column 1 is the line as loaded refers to
  // the loaded lines again, as it did before it was edited.
  for (int r = 0; r < rows; ++r) 超级列表框1.SetCellText(r, 0, 超级列表框1.CellView(r, 1));
  AppendLog(":恢复所有编辑项\r\n");
  SetStatusText(1, "恢复所有编辑项");
  Editor().modified = 1;
}

void RestoreInitial() {
  超级列表框1.DeleteAllRows();
  编辑框1.SetContent(Text());
  const TextColumn& lines = Editor().loadedLines;
  const int count = lines.Count();
  // The rows come from the lines as loaded, their check marks and the text
  // from the tree, which no edit changes.
  Text target;
  for (int i = 0; i < count; ++i) {
    const Text node = 树型框1.GetTreeItemText(i);
    超级列表框1.InsertRow(i, lines.View(i));
    超级列表框1.SetCellText(i, 1, lines.View(i));
    超级列表框1.SetRowChecked(i, node.empty() ? 0 : 1);
    target += node;
    target += "\r\n";
  }
  if (count > 0) {
    ShowInTextView(std::move(target));
    // Keeps the start of the text in view.
    编辑框1.SetSelectionStart(1);
  }
  AppendLog(":恢复到最初状态\r\n");
  SetStatusText(1, "恢复到最初");
}
