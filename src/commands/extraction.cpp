// Filling the text view with all rows, the checked rows or the tree.
#include <utility>

#include "commands/commands.h"
#include "commands/views.h"
#include "editor/log.h"
#include "editor/window_ids.h"

using namespace MainWindow;

namespace {

// The status text comes before the log entry here, unlike the editing
// commands.
void ShowExtraction(Text text, const Text& status, const Text& entry) {
  ShowInTextView(std::move(text));
  SetStatusText(1, status);
  AppendLog(entry);
  // Keeps the remembered selection length and scrolls back to the top.
  编辑框1.SetSelectionStart(1);
}

}  // namespace

void ExtractAll() { ShowExtraction(RenderedRows(), "提取所有", ":提取所有项\r\n"); }

void ExtractChecked() { ShowExtraction(超级列表框1.JoinedColumn(0, "\r\n", true), "提取钩选项", ":提取钩选项\r\n"); }

void ExtractTree() { ShowExtraction(树型框1.JoinedItemTexts("\r\n"), "提取目录树", ":提取目录树\r\n"); }
