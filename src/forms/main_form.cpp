#include "editor/window_ids.h"
#include "forms/forms.h"
#include "forms/resource_ids.h"

namespace {

using namespace MainWindow;

std::vector<MenuSpec> MainMenus() {
  int separator = kSeparator;
  auto line = [&separator] { return MenuSpec{separator++, "-", "", {}}; };
  return {
      {k文件菜单, "文件(&F)", "",
       {{k新建, "新建(&N)", "Ctrl+N", {}},
        {k打开, "打开(&O)", "Ctrl+O", {}},
        line(),
        {k用记事本打开, "用记事本打开(&T)", "", {}},
        line(),
        {k保存, "保存(&S)", "Ctrl+S", {}},
        {k另存为, "另存为(&A)", "", {}},
        line(),
        {k退出, "退出(&E)", "", {}}}},
      {k编辑菜单, "编辑(&E)", "",
       {{k向上插入项, "向上插入项(&U)", "", {}},
        {k向下插入项, "向下插入项(&D)", "", {}},
        {k编辑选定项, "编辑选定项(&E)", "", {}},
        line(),
        {k恢复当前编辑项, "恢复当前编辑项(&L)", "", {}},
        {k恢复所有编辑项, "恢复所有编辑项(&O)", "", {}},
        {k恢复到最初, "恢复到最初(&A)", "", {}},
        line(),
        {k删除选定项, "删除选定项(&T)", "", {}}}},
      {k工具菜单, "工具(&T)", "",
       {{k查找, "查找(&F)", "Ctrl+F", {}},
        line(),
        {k提取所有, "提取所有(&A)", "", {}},
        {k提取钩选项, "提取钩选项(&S)", "", {}},
        {k提取目录树, "提取目录树(&D)", "", {}}}},
      {k帮助菜单, "帮助(&H)", "", {{k关于, "关于(&A)", "", {}}}},
  };
}

}  // namespace

Form MainWindowForm() {
  Form form;
  form.window = kMainWindow;
  form.designName = "MainWindow";
  form.caption = "Varnel - INI配置文件编辑器 (Varnel开发组 varnel.example)";
  form.geometry = {0, 0, 637, 457};
  form.style = kFixedFrame | kMinimizeBox | kMaximizeBox | kCentred | kEscCloses | kInTaskbar;
  form.icon = VARNEL_IDI_MAIN;
  form.controls = {
      {.type = ControlType::HyperLinker, .id = k超级链接框1, .designName = "超级链接框1",
       .geometry = {566, 5, 54, 16}, .caption = "官方网站", .textColour = Rgb(0, 0, 255),
       .address = kWebAddress},
      {.type = ControlType::EditBox, .id = k编辑框1, .designName = "编辑框1", .geometry = {3, 24, 438, 156},
       .parent = k选择夹1, .page = 0,
       .style = kMultiLine | kReadOnlyEdit | kVerticalScroll | kStaticEdge | kButtonFace | kTabStop},
      {.type = ControlType::ListBox, .id = k列表框2, .designName = "列表框2", .geometry = {3, 24, 438, 156},
       .parent = k选择夹1, .page = 1, .style = kVerticalScroll | kStaticEdge | kButtonFace | kTabStop,
       .textColour = Rgb(0, 0, 255)},
      {.type = ControlType::ToolBar, .id = k工具条1, .designName = "工具条1", .geometry = {0, 0, 631, 27},
       .buttons = {{0, "新建文件（CTRL+N）"},
                   {1, "打开文件(CTRL+O)"},
                   {2, "保存（CTRL+S）"},
                   {22, "另存为"},
                   {-1, ""},
                   {19, "提取所有"},
                   {32, "提取钩选项"},
                   {14, "提取目录树"},
                   {-1, ""},
                   {28, "寻找"}},
       .images = {VARNEL_IDB_TOOLBAR, 16, 15, 39}},
      {.type = ControlType::StatusBar, .id = k状态条1, .designName = "状态条1", .geometry = {8, 392, 693, 20},
       .parts = {{125, 4, "", "当前选定行"}, {568, 5, "当前操作:", "当前操作"}},
       .images = {VARNEL_IDB_STATUS, 16, 15, 6}},
      {.type = ControlType::ListView, .id = k超级列表框1, .designName = "超级列表框1",
       .geometry = {187, 27, 443, 176},
       .style = kClientEdge | kCheckBoxes | kGridLines | kEditLabels | kTabStop,
       .columns = {{"修改后", 220}, {"修改前", 220}},
       .images = {VARNEL_IDB_LIST, 16, 16, 10}},
      {.type = ControlType::CommonDlg, .id = k通用对话框1, .designName = "通用对话框1",
       .geometry = {64, 152, 24, 24},
       .filter = "配置文件(*.ini)|*.ini|文本文件（*.txt)|*.txt|所有文件(*.*)|*.*"},
      {.type = ControlType::TreeBox, .id = k树型框1, .designName = "树型框1", .geometry = {0, 27, 184, 365},
       .style = kClientEdge | kTabStop, .images = {VARNEL_IDB_TREE, 16, 16, 2}},
      {.type = ControlType::Tab, .id = k选择夹1, .designName = "选择夹1", .geometry = {187, 208, 445, 184},
       .pages = {"目标文本", "日志"}},
  };
  form.menus = MainMenus();
  form.shortcuts = {{'N', k新建}, {'O', k打开}, {'S', k保存}, {'F', k查找}};
  form.bindings = MainWindowBindings();
  return form;
}
