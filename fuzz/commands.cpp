// Random sequences of commands, clicks, in-place edits and answers on the
// memory body. After every step: the tree still holds the lines as loaded,
// the log is numbered 1, 2, 3, ... without gaps, the steps that must not
// touch `modified` did not, and a mouse-up on a modified document leaves
// the text view equal to the rows.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "commands/views.h"
#include "fuzz_input.h"
#include "editor/editor_state.h"
#include "editor/window_ids.h"
#include "forms/forms.h"
#include "primitives/driver.h"

namespace {

using namespace MainWindow;

struct Input : FuzzInput {
  // A short text built from bytes that matter to the analysis and search:
  // brackets, line breaks, lead and trail bytes.
  Text Line() {
    static const char kAlphabet[] = {'[', ']', '=', 'a', 'k', ' ', '\r', '\xB0', '\xA1', '\x5D', '\x81', ';'};
    Text text;
    for (int n = Byte() % 6; n > 0; --n) text += kAlphabet[Byte() % sizeof kAlphabet];
    return text;
  }
};

void Ignore(const Text&) {}

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

void CheckInvariants() {
  const EditorState& state = Editor();
  if (树型框1.TreeItemCount() != state.loadedLines.Count()) Fail("tree and loaded lines differ in count");
  for (int i = 0; i < 树型框1.TreeItemCount(); ++i) {
    if (树型框1.GetTreeItemText(i) != state.loadedLines.View(i)) Fail("the tree changed");
  }
  if (列表框2.ListItemCount() != state.logCounter) Fail("log entries and counter differ");
  for (int i = 0; i < 列表框2.ListItemCount(); ++i) {
    if (列表框2.GetListItemText(i).rfind(ToText(i + 1) + ":", 0) != 0) Fail("log numbering");
  }
  const int selected = 超级列表框1.SelectedRow();
  if (selected < -1 || selected >= 超级列表框1.RowCount()) Fail("selection out of range");
}

Text FixturePath() {
  static const Text path = "/tmp/varnel_fuzz_" + ToText(static_cast<int>(getpid())) + ".ini";
  return path;
}

void OpenGenerated(Input& in) {
  Text bytes;
  for (int n = in.Byte() % 12; n > 0; --n) bytes += in.Line() + "\n";
  if (FILE* f = std::fopen(FixturePath().c_str(), "wb")) {
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
  driver::AnswerNextDialog(FixturePath());
  if (!driver::ChooseMenu(打开)) driver::Reset();  // never happens: Open is always enabled
}

int RowArgument(Input& in) { return in.Byte() % (超级列表框1.RowCount() + 1) - 1; }

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  FixturePath();  // made first, so that it is destroyed after the removal below
  std::atexit([] { std::remove(FixturePath().c_str()); });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input in{{data, size}};
  driver::OnUnexpected(&Ignore);  // boxes without a scripted answer get the harmless one
  driver::Reset();
  CreateEditorState();
  LoadWindow(MainWindowForm());
  driver::Settle();
  for (int steps = 0; in.size > 0 && steps < 64; ++steps) {
    const int modifiedBefore = Editor().modified;
    bool keepsModified = false;
    bool mouseUp = false;
    switch (in.Byte() % 19) {
      case 0: OpenGenerated(in); break;
      case 1: driver::ClickRow(超级列表框1, RowArgument(in)); keepsModified = mouseUp = true; break;
      case 2: driver::ClickTreeItem(树型框1, in.Byte() % (树型框1.TreeItemCount() + 1)); keepsModified = true; break;
      case 3: driver::ChooseMenu(向上插入项); break;
      case 4: driver::ChooseMenu(向下插入项); break;
      case 5: driver::ChooseMenu(编辑选定项); break;
      case 6:
        if (driver::LabelEditActive(超级列表框1)) driver::ConfirmLabelEdit(超级列表框1, in.Line());
        break;
      case 7:
        if (driver::LabelEditActive(超级列表框1)) driver::CancelLabelEdit(超级列表框1);
        break;
      case 8: driver::ChooseMenu(删除选定项); break;
      case 9: driver::ChooseMenu(恢复当前编辑项); break;
      case 10:
        if (!恢复所有编辑项.Disabled()) {
          driver::AnswerNextMessage(in.Byte() % 2 ? kIdOk : kIdCancel);
          driver::ChooseMenu(恢复所有编辑项);
        }
        break;
      case 11: driver::ChooseMenu(恢复到最初); keepsModified = true; break;
      case 12: driver::ClickToolButton(工具条1, 5); keepsModified = true; break;
      case 13: driver::ClickToolButton(工具条1, 6); keepsModified = true; break;
      case 14: driver::ClickToolButton(工具条1, 7); keepsModified = true; break;
      case 15: driver::DoubleClickRow(超级列表框1, RowArgument(in)); keepsModified = true; break;
      case 16: driver::ClickRowCheckBox(超级列表框1, RowArgument(in)); keepsModified = true; break;
      case 17: driver::ChooseMenu(新建); break;
      case 18: {
        static const int kItems[] = {k向上插入项, k向下插入项, k编辑选定项, k删除选定项, k恢复当前编辑项, k恢复到最初};
        driver::AnswerNextPopup(kItems[in.Byte() % 6]);
        driver::RightClickRow(超级列表框1, RowArgument(in));
        break;
      }
    }
    driver::Settle();
    // An in-place edit may end during a click; only then may the flag move.
    if (keepsModified && !driver::LabelEditActive(超级列表框1) && Editor().modified != modifiedBefore &&
        Editor().modified != 1) {
      Fail("a step that edits nothing changed the modified flag");
    }
    if (mouseUp && Editor().modified == 1 && !driver::LabelEditActive(超级列表框1) &&
        编辑框1.Content() != RenderedRows()) {
      Fail("after a mouse-up the text view is not the rows");
    }
    CheckInvariants();
  }
  driver::Reset();
  ReleaseEditorState();
  return 0;
}
