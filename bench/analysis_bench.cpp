// The analysis of a file's lines into the main window's views, on whichever
// control body this is linked with: the time per line at 10,000 and 100,000
// lines, and their ratio (near 1 when the analysis is linear).
#include <cstdio>
#include <cstdlib>

#include "bench_lines.h"
#include "editor/analysis.h"
#include "editor/editor_state.h"
#include "editor/window_ids.h"
#include "forms/forms.h"
#include "primitives/driver.h"

namespace {

double SecondsToAnalyse(int count) {
  using namespace MainWindow;
  const std::vector<Text> lines = BenchLines(count);
  树型框1.ClearTree();
  超级列表框1.DeleteAllRows();
  编辑框1.SetContent("");
  driver::Settle();
  const double start = Now();
  AnalyseLines(lines);
  driver::Settle();  // until the window has handled what the analysis queued
  return Now() - start;
}

}  // namespace

int main(int argc, char** argv) {
  CreateEditorState();
  LoadWindow(MainWindowForm());
  driver::Settle();
  // The sizes can be given on the command line: analysis_bench 10000 100000.
  int sizes[] = {10000, 100000};
  for (int i = 1; i < argc && i <= 2; ++i) sizes[i - 1] = std::atoi(argv[i]);
  double perLine[2] = {};
  for (int i = 0; i < 2; ++i) {
    const double seconds = SecondsToAnalyse(sizes[i]);
    perLine[i] = seconds / sizes[i];
    std::printf("analysis of %d lines: %.1f ms, %.2f us per line\n", sizes[i], seconds * 1e3, perLine[i] * 1e6);
  }
  std::printf("per-line time, %d / %d lines: %.2f\n", sizes[1], sizes[0], perLine[1] / perLine[0]);
  driver::Reset();
  ReleaseEditorState();
  return 0;
}
