// The program's entry: the editing state first, then the main window and
// its event loop; the state is released once the window is gone.
#include "editor/editor_state.h"
#include "forms/forms.h"

int main() {
  CreateEditorState();
  LoadWindow(MainWindowForm());
  const int code = RunEventLoop();
  ReleaseEditorState();
  return code;
}
