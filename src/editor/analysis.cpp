#include "editor/analysis.h"

#include "editor/editor_state.h"
#include "editor/window_ids.h"

namespace {

bool IsSectionHeader(std::string_view line) { return !line.empty() && line.back() == ']'; }

}  // namespace

void AnalyseLines(TextColumn lines) {
  using namespace MainWindow;
  // The tree and both list columns then show the lines without copies of
  // their own, until a line is edited.
  lines.Share();
  int i = 1;
  int currentSection = 0;
  for (int k = 0; k < lines.Count(); ++k) {
    const std::string_view line = lines.View(k);
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
  Editor().loadedLines = std::move(lines);
}

void FillEntriesFromTree(const TextColumn& lines) {
  using namespace MainWindow;
  const int count = 树型框1.TreeItemCount();
  if (count == 0) return;
  for (int k = 0; k < count; ++k) {
    const std::string_view text = lines.View(k);
    超级列表框1.InsertRow(k, text);
    超级列表框1.SetCellText(k, 1, text);
    超级列表框1.SetRowChecked(k, text.empty() ? 0 : 1);
  }
  // The target text is handed to the text view once: the same text as one
  // append per line, without re-laying-out the growing text every time.
  编辑框1.AppendText(lines.Joined("\r\n"));
  // Keeps the start of the text in view.
  编辑框1.SetSelectionStart(1);
}
