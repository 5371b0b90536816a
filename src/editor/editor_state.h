// What the commands share about the one document that no control holds.
// The rows, the tree and the target text live in the main window's views.
#pragma once

#include "primitives/text.h"
#include "primitives/text_column.h"

struct EditorState {
  Text filePath;          // empty before the first New or Open
  int modified = 0;       // 1 after an editing command, until New, Open or a save
  TextColumn loadedLines;  // the lines the last Open read, for RestoreInitial
  int logCounter = 0;     // log entries written in this run
  int lastEditedRow = 0;  // the row whose in-place edit ended last
  Text searchText;        // what the find window searched for last
};

// The program's one editing state: created before the main window is
// loaded and released after it is gone.
void CreateEditorState();
void ReleaseEditorState();
EditorState& Editor();
