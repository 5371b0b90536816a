// The editing commands of the main window: navigation between the views,
// item editing, restore and extraction. Every one is a handler the routing
// table binds; none takes platform types.
#pragma once

#include "primitives/text.h"

// Navigation between the tree, the list and the text view.
void OnTreeSelectionChanged(int cause);
void OnListMouseDown();
void OnListClicked();
void OnListMouseUp();
void OnListDoubleClicked();
void OnListRightButtonDown();
void OnLogSelectionChanged();
// Hints in status pane 1 for the control under the mouse.
void ShowTreeHint();
void ShowListHint();
void ShowTextViewPressHint();
void ShowTextViewMoveHint();
void ShowTabHint();
// The text view from all rows: every row's current text and CR LF.
void RenderTextView();

// Item editing.
void InsertAbove();
void InsertBelow();
void EditSelected();
void OnLabelEditEnded(int row);
void DeleteSelected();

// Restore.
void RestoreCurrent();
void RestoreAll();
void RestoreInitial();

// Extraction into the text view.
void ExtractAll();
void ExtractChecked();
void ExtractTree();

// The find window (opened by OpenSearchWindow in forms/).
void InitSearchWindow();
void OnSearchTextChanged();
void OnUpChosen();
void FindNext();
// One search step for `text` in the text view, with the wrap prompt.
void SearchTextView(const Text& text);
void CloseSearchWindow();

// The about window's created step: its description.
void InitAboutWindow();
