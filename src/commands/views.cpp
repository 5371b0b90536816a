#include "commands/views.h"

#include <utility>

#include "editor/window_ids.h"

using namespace MainWindow;

Text RenderedRows() { return 超级列表框1.JoinedColumn(0, "\r\n"); }

int LineOffsetOfRow(int row) {
  int offset = 0;
  for (int r = 0; r < row; ++r) offset += TextLength(超级列表框1.GetCellText(r, 0)) + 2;
  return offset;
}

void ShowInTextView(Text text) {
  编辑框1.SetContent(std::move(text));
  编辑框1.SetSelectionStart(-1);  // the caret at the end, as after appending
}

void SetItemCommandsDisabled(bool disabled) {
  for (const MenuItem& item : {编辑选定项, 向上插入项, 向下插入项, 删除选定项}) item.SetDisabled(disabled);
}
