// What the editing commands share about the main window's views.
#pragma once

#include "primitives/text.h"

// Every row's column-0 text followed by CR LF: the document as Save would
// write it after a re-render.
Text RenderedRows();
// Byte offset of row `row`'s line in RenderedRows().
int LineOffsetOfRow(int row);
// Replaces the text view's content by `text` with the caret at its end, as
// emptying it and appending line by line would leave it; the view gets the
// text in one piece.
void ShowInTextView(Text text);
// 编辑选定项, 向上插入项, 向下插入项 and 删除选定项.
void SetItemCommandsDisabled(bool disabled);
