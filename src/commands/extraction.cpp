// Filling the text view with all rows, the checked rows or the tree.
#include "commands/commands.h"
#include "commands/views.h"
#include "editor/log.h"
#include "editor/window_ids.h"

using namespace MainWindow;

namespace {

// The status text comes before the log entry here, unlike the editing
// commands.
void ShowExtraction(const Text& text, const Text& status, const Text& entry) {
  ShowInTextView(text);
  SetStatusText(1, status);
  AppendLog(entry);
  // Keeps the remembered selection length and scrolls back to the top.
  编辑框1.SetSelectionStart(1);
}

}  // namespace

void ExtractAll() { ShowExtraction(RenderedRows(), "提取所有", ":提取所有项\r\n"); }

void ExtractChecked() {
  Text text;
  const int rows = 超级列表框1.RowCount();
  for (int r = 0; r < rows; ++r) {
    if (超级列表框1.GetRowChecked(r) == 1) {
      text += 超级列表框1.GetCellText(r, 0);
      text += "\r\n";
    }
  }
  ShowExtraction(text, "提取钩选项", ":提取钩选项\r\n");
}

void ExtractTree() {
  Text text;
  const int items = 树型框1.TreeItemCount();
  for (int i = 0; i < items; ++i) {
    text += 树型框1.GetTreeItemText(i);
    text += "\r\n";
  }
  ShowExtraction(text, "提取目录树", ":提取目录树\r\n");
}
