#include "editor/analysis.h"

#include "editor/editor_state.h"
#include "editor/window_ids.h"

namespace {

bool IsSectionHeader(const Text& line) { return TextsEqual(RightPart(line, 1), "]"); }

}  // namespace

void AnalyseLines(std::vector<Text> lines) {
  using namespace MainWindow;
  int i = 1;
  int currentSection = 0;
  for (const Text& line : lines) {
    if (IsSectionHeader(line)) {
      树型框1.AddTreeItem(-1, line, kSectionImage);
      currentSection = i - 1;
    } else {
      // Until the tree has a node (the first line, when it is no header)
      // the parent index names nothing and the node goes to the top level.
      树型框1.AddTreeItem(currentSection, line, kLineImage);
    }
    ++i;
  }
  树型框1.ExpandTreeItem(0);
  FillEntriesFromTree(lines);
  TextList& loaded = Editor().loadedLines;
  loaded.Clear();
  for (Text& line : lines) loaded.Append(std::move(line));
}

void FillEntriesFromTree(const std::vector<Text>& lines) {
  using namespace MainWindow;
  const int count = 树型框1.TreeItemCount();
  if (count == 0) return;
  // The target text is handed to the text view once: the same text as one
  // append per line, without re-laying-out the growing text every time.
  std::size_t size = 0;
  for (const Text& line : lines) size += line.size() + 2;
  Text target;
  target.reserve(size);
  for (int k = 0; k < count; ++k) {
    const Text& text = lines[static_cast<std::size_t>(k)];
    超级列表框1.InsertRow(k, text);
    超级列表框1.SetCellText(k, 1, text);
    target += text;
    target += "\r\n";
    超级列表框1.SetRowChecked(k, text.empty() ? 0 : 1);
  }
  编辑框1.AppendText(target);
  // Keeps the start of the text in view.
  编辑框1.SetSelectionStart(1);
}
