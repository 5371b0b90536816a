#include "editor/lifecycle.h"

#include "editor/editor_state.h"
#include "editor/file_commands.h"
#include "editor/window_ids.h"

void ApplyIdleCommandState() {
  using namespace MainWindow;
  for (const MenuItem& item : {用记事本打开, 保存, 另存为, 向上插入项, 编辑选定项, 恢复当前编辑项, 恢复所有编辑项,
                               恢复到最初, 删除选定项, 查找, 提取所有, 提取钩选项, 提取目录树}) {
    item.SetDisabled(true);
  }
  for (int position : {2, 3, 5, 6, 7, 9}) 工具条1.SetButtonEnabled(position, false);
}

void OnMainWindowCreated() {
  Editor().modified = 0;
  ApplyIdleCommandState();
}

bool OnMainWindowMayClose() { return AskToSaveChanges(); }

void ExitProgram() {
  if (AskToSaveChanges()) CloseWindow(kMainWindow);
}
