// The main window's views on whichever control body this is linked with:
// the analysis of a file's lines into the views, the re-render of the text
// view, the three extractions and Save, each at two sizes (10,000 and
// 100,000 lines unless given: views_bench 10000 100000), with the ratio of
// the per-line times (near 1 when the work is linear).
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "bench_lines.h"
#include "main_window_bench.h"
#include "commands/commands.h"
#include "editor/analysis.h"
#include "editor/editor_state.h"
#include "editor/file_commands.h"
#include "editor/window_ids.h"
#include "forms/forms.h"
#include "primitives/driver.h"

namespace {

using namespace MainWindow;

struct Step {
  const char* name;
  void (*run)();
};

TextColumn lines;
void Analyse() { AnalyseLines(lines); }

// In the working folder; removed at the end.
const Text kSavedFile = "varnel_views_bench_saved.ini";
void Save() {
  if (!SaveDocument(kSavedFile)) std::abort();
}

const Step kSteps[] = {
    {"analysis", &Analyse},
    {"re-render", &RenderTextView},
    {"extract all", &ExtractAll},
    {"extract checked", &ExtractChecked},
    {"extract tree", &ExtractTree},
    {"save", &Save},
};
constexpr int kStepCount = sizeof kSteps / sizeof kSteps[0];

// Seconds per step for a document of `count` lines, until the window is
// done with it; *before: the memory held just before its analysis, the
// generated lines included; busy[s]: the longest stretch of step s during
// which the window answered nothing.
std::vector<double> Measure(int count, double* before, std::vector<double>* busy) {
  lines.Clear();
  // Laid out as Open reads a file's lines.
  for (const Text& line : BenchLines(count)) lines.AppendFollowedBy(line, "\r\n");
  树型框1.ClearTree();
  超级列表框1.DeleteAllRows();
  编辑框1.SetContent("");
  driver::Settle();
  *before = CurrentMemoryBytes();
  std::vector<double> seconds;
  for (const Step& step : kSteps) {
    const double start = Now();
    step.run();
    const double ran = Now() - start;
    double handOver = 0;
    double longestMessage = 0;
    driver::RunUntilDone(&handOver, &longestMessage);
    driver::Settle();  // until the window has handled what the step queued
    seconds.push_back(Now() - start);
    busy->push_back(std::max(ran + handOver, longestMessage));
  }
  return seconds;
}

}  // namespace

int main(int argc, char** argv) {
  int sizes[2];
  StartWithMainWindow(argc, argv, sizes);
  double before = 0;
  std::vector<double> busySmall;
  std::vector<double> busy;
  const std::vector<double> small = Measure(sizes[0], &before, &busySmall);
  const std::vector<double> large = Measure(sizes[1], &before, &busy);
  const double peak = PeakMemoryBytes();
  std::size_t fileBytes = 0;
  for (int k = 0; k < lines.Count(); ++k) fileBytes += lines.View(k).size() + 2;
  for (int s = 0; s < kStepCount; ++s) {
    const double perSmall = small[s] / sizes[0];
    const double perLarge = large[s] / sizes[1];
    std::printf("%-16s %7d lines: %9.1f ms  %7d lines: %9.1f ms  per-line ratio %.2f  longest busy %.1f ms\n",
                kSteps[s].name, sizes[0], small[s] * 1e3, sizes[1], large[s] * 1e3, perLarge / perSmall,
                busy[static_cast<std::size_t>(s)] * 1e3);
  }
  // A step runs on the user's thread: the window answers nothing while it
  // runs, nor while it handles any one message afterwards (a long text
  // reaches the text view in parts, between which it answers).
  const double worst = *std::max_element(busy.begin(), busy.end());
  std::printf("worst step at %d lines: %.1f ms with the window unresponsive (target <= 1000: %s)\n", sizes[1],
              worst * 1e3, worst <= 1.0 ? "met" : "NOT MET");
  // What the document costs: the peak less what the process held before
  // the analysis (the program and the generated lines) and the file's size.
  const double perLine = (peak - before - static_cast<double>(fileBytes)) / sizes[1];
  std::printf("peak memory: %.1f MB, before the larger document %.1f MB; %.0f bytes per line beyond the file "
              "(target <= 300 on Win32: %s)\n",
              peak / 1e6, before / 1e6, perLine, perLine <= 300 ? "met" : "NOT MET");
  std::remove(kSavedFile.c_str());
  driver::Reset();
  ReleaseEditorState();
  return 0;
}
