// Searching the main window's text view from the find window.
#include "commands/commands.h"
#include "editor/editor_state.h"
#include "editor/window_ids.h"

namespace {

const EditBox& textView = MainWindow::编辑框1;
const EditBox& searchBox = SearchWindow::编辑框1;

}  // namespace

void InitSearchWindow() {
  SearchWindow::向下.SetChecked(true);
  searchBox.SetContent(Editor().searchText);  // enables 查找下一个 when there is a text
  searchBox.SetSelectionLength(-1);           // typing replaces the whole text
  textView.SetSelectionStart(0);
}

void OnSearchTextChanged() { SearchWindow::查找下一个.SetDisabled(TextsEqual(searchBox.Content(), "")); }

void OnUpChosen() {
  if (SearchWindow::向上.Checked()) textView.SetSelectionStart(-1);
}

void FindNext() {
  Editor().searchText = searchBox.Content();
  SearchTextView(searchBox.Content());
}

void SearchTextView(const Text& text) {
  while (!TextsEqual(searchBox.Content(), "")) {
    const bool down = SearchWindow::向下.Checked();
    const int start = textView.SelectionStart();
    const int length = textView.SelectionLength();
    // Downward from the byte after the selection; upward through every
    // byte before it, so the occurrence that ends right before the
    // selection is found too.
    const int found = down ? FindText(textView.Content(), searchBox.Content(), start + length + 1)
                           : FindTextBackward(textView.Content(), searchBox.Content(), start + 1);
    if (found != -1) {
      textView.SetSelectionStart(found - 1);
      textView.SetSelectionLength(TextLength(text));
      return;
    }
    if (ShowMessage("文本:" + text + "未找到!是否从头找起?", kMbYesNo | kMbIconInformation, "查找失败") != kIdYes) {
      return;
    }
    // From the text's very edge: the first byte downward, the end upward.
    if (down) {
      textView.SetSelectionStart(0);
      textView.SetSelectionLength(0);
    } else {
      textView.SetSelectionStart(-1);
    }
  }
}

void CloseSearchWindow() { CloseWindow(kSearchWindow); }
