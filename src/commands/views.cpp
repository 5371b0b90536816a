#include "commands/views.h"

#include "editor/window_ids.h"

using namespace MainWindow;

Text RenderedRows() {
  Text text;
  const int rows = 超级列表框1.RowCount();
  for (int r = 0; r < rows; ++r) {
    text += 超级列表框1.GetCellText(r, 0);
    text += "\r\n";
  }
  return text;
}

int LineOffsetOfRow(int row) {
  int offset = 0;
  for (int r = 0; r < row; ++r) offset += TextLength(超级列表框1.GetCellText(r, 0)) + 2;
  return offset;
}

void ShowInTextView(const Text& text) {
  编辑框1.SetContent(Text());
  if (!text.empty()) 编辑框1.AppendText(text);
}

void SetItemCommandsDisabled(bool disabled) {
  for (const MenuItem& item : {编辑选定项, 向上插入项, 向下插入项, 删除选定项}) item.SetDisabled(disabled);
}
