// The floor for filling the real controls: the same lines put into a bare
// tree view, list view and EDIT control in one process, the fastest way
// the platform allows (redraw off, appends after the last item, children
// of collapsed sections left out until expanded, an owner-data list that
// only learns its row count, one WM_SETTEXT), next to
// Varnel's own analysis into its views. Windows build only.
//   varnel_win32_baseline [small large]   (default 10000 100000; medians of 3)
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench_lines.h"
#include "main_window_bench.h"
#include "editor/analysis.h"
#include "editor/editor_state.h"
#include "editor/window_ids.h"
#include "forms/forms.h"
#include "primitives/driver.h"

namespace {

std::wstring Wide(const Text& text) {
  const int n = MultiByteToWideChar(936, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(936, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
  return wide;
}

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

// *textSeconds: the part that is the EDIT control taking the whole text.
double Bare(const std::vector<Text>& lines, double* textSeconds) {
  HWND top = CreateWindowExW(0, L"STATIC", L"baseline", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 640, 480, nullptr,
                             nullptr, GetModuleHandleW(nullptr), nullptr);
  HWND tree = CreateWindowExW(0, WC_TREEVIEWW, L"", WS_CHILD | WS_VISIBLE | TVS_HASLINES, 0, 0, 200, 400, top,
                              nullptr, nullptr, nullptr);
  HWND list = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA, 200, 0,
                              400, 200, top, nullptr, nullptr, nullptr);
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_CHECKBOXES);
  HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_MULTILINE | WS_VSCROLL, 200, 200, 400, 200,
                              top, nullptr, nullptr, nullptr);
  SendMessageW(edit, EM_SETLIMITTEXT, 0x7FFFFFFE, 0);
  // The font Varnel's controls use: measuring the text for the EDIT
  // control's line breaks costs what the font costs.
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  HFONT font = CreateFontIndirectW(&metrics.lfMessageFont);
  for (HWND control : {tree, list, edit}) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  Pump();
  const double start = Now();
  // A tree shows its collapsed sections' lines only once they are
  // expanded, so only the headers go in, and the first section's lines
  // (the program opens it); a section's button is drawn from cChildren.
  SendMessageW(tree, WM_SETREDRAW, FALSE, 0);
  HTREEITEM section = nullptr;
  HTREEITEM last = nullptr;
  HTREEITEM lastChild = nullptr;
  int sections = 0;
  for (const Text& line : lines) {
    const bool header = !line.empty() && line.back() == ']';
    const bool topLevel = header || !section;
    if (!topLevel && sections > 1) continue;
    const std::wstring text = Wide(line);
    TVINSERTSTRUCTW insert{};
    insert.hParent = topLevel ? TVI_ROOT : section;
    insert.hInsertAfter = topLevel ? (last ? last : TVI_LAST) : (lastChild ? lastChild : TVI_LAST);
    insert.item.mask = TVIF_TEXT | TVIF_CHILDREN;
    insert.item.cChildren = topLevel ? 1 : 0;
    insert.item.pszText = const_cast<wchar_t*>(text.c_str());
    const auto item = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
    if (topLevel) {
      section = last = item;
      lastChild = nullptr;
      ++sections;
    } else {
      lastChild = item;
    }
  }
  SendMessageW(tree, WM_SETREDRAW, TRUE, 0);
  SendMessageW(list, LVM_SETITEMCOUNT, lines.size(), 0);
  Text all;
  for (const Text& line : lines) all += line + "\r\n";
  const double textStart = Now();
  SetWindowTextW(edit, Wide(all).c_str());
  *textSeconds = Now() - textStart;
  InvalidateRect(top, nullptr, TRUE);
  Pump();
  const double seconds = Now() - start;
  DestroyWindow(top);
  DeleteObject(font);
  Pump();
  return seconds;
}

double Varnel(const TextColumn& lines) {
  using namespace MainWindow;
  树型框1.ClearTree();
  超级列表框1.DeleteAllRows();
  编辑框1.SetContent("");
  driver::Settle();
  const double start = Now();
  AnalyseLines(lines);
  driver::Settle();
  return Now() - start;
}

}  // namespace

int main(int argc, char** argv) {
  int sizes[2];
  StartWithMainWindow(argc, argv, sizes);
  double varnelTimes[2] = {};
  for (int i = 0; i < 2; ++i) {
    const std::vector<Text> lines = BenchLines(sizes[i]);
    const TextColumn column(lines);
    std::vector<double> texts;
    const double bare = MedianOf3([&] {
      double text = 0;
      const double seconds = Bare(lines, &text);
      texts.push_back(text);
      return seconds;
    });
    std::sort(texts.begin(), texts.end());
    const double text = texts[1];
    varnelTimes[i] = MedianOf3([&] { return Varnel(column); });
    // The target is for the larger document (100,000 lines); the smaller
    // one's ratio is only shown.
    const char* verdict = i == 0 ? "" : varnelTimes[i] <= 1.5 * bare ? "; target <= 1.5: met" : "; target <= 1.5: NOT MET";
    std::printf("%d lines: bare controls %.1f ms (of which the EDIT control taking the text %.1f ms), Varnel %.1f ms "
                "(%.2f x%s)\n",
                sizes[i], bare * 1e3, text * 1e3, varnelTimes[i] * 1e3, varnelTimes[i] / bare, verdict);
  }
  std::printf("Varnel time %d / %d lines: %.2f (target <= 12: %s)\n", sizes[1], sizes[0], varnelTimes[1] / varnelTimes[0],
              varnelTimes[1] / varnelTimes[0] <= 12 ? "met" : "NOT MET");
  driver::Reset();
  ReleaseEditorState();
  return 0;
}
