// What the benchmarks on the main window share: two document sizes from
// the command line and the program started with its main window.
#pragma once

#include <cstdlib>

#include "editor/editor_state.h"
#include "forms/forms.h"
#include "primitives/driver.h"

// The sizes given as the first two arguments, 10,000 and 100,000 lines by
// default; the editing state and the main window are made ready.
inline void StartWithMainWindow(int argc, char** argv, int (&sizes)[2]) {
  sizes[0] = 10000;
  sizes[1] = 100000;
  for (int i = 1; i < argc && i <= 2; ++i) sizes[i - 1] = std::atoi(argv[i]);
  CreateEditorState();
  LoadWindow(MainWindowForm());
  driver::Settle();
}
