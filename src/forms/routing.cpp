// The routing table: which procedure each menu item, toolbar position and
// control event of the three windows runs. An entry whose handler is empty
// runs nothing; an event without an entry does nothing either.
#include "commands/commands.h"
#include "editor/file_commands.h"
#include "editor/lifecycle.h"
#include "editor/window_ids.h"
#include "forms/forms.h"

namespace {

// Toolbar positions run the command of a menu item, so that a button and
// its menu item can never drift apart. Separators (4, 8) run nothing.
struct ToolbarCommand {
  int position;
  int menuItem;
};
constexpr ToolbarCommand kToolbarCommands[] = {
    {0, MainWindow::k新建},     {1, MainWindow::k打开},       {2, MainWindow::k保存},
    {3, MainWindow::k另存为},   {5, MainWindow::k提取所有},   {6, MainWindow::k提取钩选项},
    {7, MainWindow::k提取目录树}, {9, MainWindow::k查找},
};

}  // namespace

int ToolbarMenuItem(int position) {
  for (const ToolbarCommand& c : kToolbarCommands) {
    if (c.position == position) return c.menuItem;
  }
  return 0;
}

void DispatchToolbarButton(int position) {
  const int item = ToolbarMenuItem(position);
  if (item == 0) return;
  static const std::vector<Binding> bindings = MainWindowBindings();
  for (const Binding& b : bindings) {
    if (b.control == item && b.event == Event::Chosen) {
      RunHandler(b.handler);
      return;
    }
  }
}

std::vector<Binding> MainWindowBindings() {
  using namespace MainWindow;
  return {
      {0, Event::Created, &OnMainWindowCreated},
      {0, Event::MayClose, &OnMainWindowMayClose},
      {0, Event::SizeChanged, &LayoutMainWindow},
      {k新建, Event::Chosen, &NewDocument},
      {k打开, Event::Chosen, &OpenDocument},
      {k用记事本打开, Event::Chosen, &OpenInNotepad},
      {k保存, Event::Chosen, &SaveOwnFile},
      {k另存为, Event::Chosen, &SaveDocumentAs},
      {k退出, Event::Chosen, &ExitProgram},
      {k向上插入项, Event::Chosen, &InsertAbove},
      {k向下插入项, Event::Chosen, &InsertBelow},
      {k编辑选定项, Event::Chosen, &EditSelected},
      {k恢复当前编辑项, Event::Chosen, &RestoreCurrent},
      {k恢复所有编辑项, Event::Chosen, &RestoreAll},
      {k恢复到最初, Event::Chosen, &RestoreInitial},
      {k删除选定项, Event::Chosen, &DeleteSelected},
      {k查找, Event::Chosen, &OpenSearchWindow},
      {k提取所有, Event::Chosen, &ExtractAll},
      {k提取钩选项, Event::Chosen, &ExtractChecked},
      {k提取目录树, Event::Chosen, &ExtractTree},
      {k关于, Event::Chosen, &ShowAboutWindow},
      {k工具条1, Event::ButtonClicked, &DispatchToolbarButton},
      {k树型框1, Event::SelectionChanged, &OnTreeSelectionChanged},
      {k树型框1, Event::MouseDown, &ShowTreeHint},
      {k树型框1, Event::MouseMove, &ShowTreeHint},
      {k超级列表框1, Event::MouseDown, &OnListMouseDown},
      {k超级列表框1, Event::MouseUp, &OnListMouseUp},
      {k超级列表框1, Event::DoubleClick, &OnListDoubleClicked},
      {k超级列表框1, Event::RightButtonDown, &OnListRightButtonDown},
      {k超级列表框1, Event::MouseMove, &ShowListHint},
      {k超级列表框1, Event::Clicked, &OnListClicked},
      {k超级列表框1, Event::LabelEditEnded, &OnLabelEditEnded},
      {k编辑框1, Event::MouseDown, &ShowTextViewPressHint},
      {k编辑框1, Event::MouseMove, &ShowTextViewMoveHint},
      {k列表框2, Event::SelectionChanged, &OnLogSelectionChanged},
      {k选择夹1, Event::MouseDown, &ShowTabHint},
  };
}

std::vector<Binding> SearchWindowBindings() {
  using namespace SearchWindow;
  return {
      {0, Event::Created, &InitSearchWindow},
      {k查找下一个, Event::Clicked, &FindNext},
      {k取消, Event::Clicked, &CloseSearchWindow},
      {k向上, Event::Clicked, &OnUpChosen},
      {k编辑框1, Event::ContentChanged, &OnSearchTextChanged},
  };
}

std::vector<Binding> AboutWindowBindings() {
  return {{0, Event::Created, &InitAboutWindow}};
}
