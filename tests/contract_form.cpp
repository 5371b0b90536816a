#include "contract_form.h"

namespace contract {

bool editAnswer = true;
Text textDuringEdit;
bool mayClose = true;

std::vector<std::string>& Events() {
  static std::vector<std::string> events;
  return events;
}

namespace {

void Note(const char* what) { Events().push_back(what); }
void NoteWith(const char* what, int argument) { Events().push_back(std::string(what) + " " + std::to_string(argument)); }

}  // namespace

Form ContractForm() {
  Form form;
  form.window = kWindow;
  form.designName = "TestWindow";
  form.caption = "控件测试";
  form.geometry = {0, 0, 637, 457};
  form.style = kFixedFrame | kMinimizeBox | kMaximizeBox | kCentred | kEscCloses | kInTaskbar;
  form.controls = {
      {.type = ControlType::ToolBar, .id = kTools, .designName = "工具条1", .geometry = {0, 0, 631, 27},
       .buttons = {{0, "新建"}, {1, "打开"}, {-1, ""}, {2, "保存"}}},
      {.type = ControlType::TreeBox, .id = kTree, .designName = "树型框1", .geometry = {0, 27, 184, 200},
       .style = kClientEdge | kTabStop},
      {.type = ControlType::ListView, .id = kList, .designName = "超级列表框1", .geometry = {187, 27, 443, 176},
       .style = kClientEdge | kCheckBoxes | kGridLines | kEditLabels | kTabStop,
       .columns = {{"修改后", 220}, {"修改前", 220}}},
      {.type = ControlType::Tab, .id = kTab, .designName = "选择夹1", .geometry = {187, 208, 445, 150},
       .pages = {"目标文本", "日志"}},
      {.type = ControlType::EditBox, .id = kTextView, .designName = "编辑框1", .geometry = {3, 24, 438, 120},
       .parent = kTab, .page = 0,
       .style = kMultiLine | kReadOnlyEdit | kVerticalScroll | kStaticEdge | kButtonFace | kTabStop},
      {.type = ControlType::ListBox, .id = kLog, .designName = "列表框2", .geometry = {3, 24, 438, 120},
       .parent = kTab, .page = 1, .style = kVerticalScroll | kStaticEdge | kButtonFace | kTabStop,
       .textColour = Rgb(0, 0, 255)},
      {.type = ControlType::EditBox, .id = kSearchBox, .designName = "编辑框2", .geometry = {10, 235, 170, 21},
       .style = kTabStop | kStaticEdge},
      {.type = ControlType::RadioBox, .id = kUp, .designName = "向上", .geometry = {10, 262, 60, 18},
       .style = kAutoRadio | kGroupStart, .caption = "向上"},
      {.type = ControlType::RadioBox, .id = kDown, .designName = "向下", .geometry = {80, 262, 60, 18},
       .style = kAutoRadio | kChecked, .caption = "向下"},
      {.type = ControlType::Button, .id = kButton, .designName = "按钮1", .geometry = {10, 290, 80, 24},
       .style = kTabStop | kGroupStart, .caption = "查找下一个"},
      {.type = ControlType::Label, .id = kLabel, .designName = "标签1", .geometry = {10, 320, 170, 18},
       .caption = "中文标签"},
      {.type = ControlType::StatusBar, .id = kStatus, .designName = "状态条1", .geometry = {0, 392, 631, 20},
       .parts = {{125, -1, "", "当前选定行"}, {568, -1, "当前操作:", "当前操作"}}},
      {.type = ControlType::CommonDlg, .id = kDialog, .designName = "通用对话框1", .geometry = {64, 152, 24, 24},
       .filter = "配置文件(*.ini)|*.ini|所有文件(*.*)|*.*"},
  };
  form.menus = {
      {kFileMenu, "文件(&F)", "",
       {{kNewItem, "新建(&N)", "Ctrl+N", {}}, {kSeparator, "-", "", {}}, {kOpenItem, "打开(&O)", "Ctrl+O", {}}}},
      {kEditMenu, "编辑(&E)", "",
       {{kFirstEditItem, "向上插入项(&U)", "", {}}, {kSecondEditItem, "向下插入项(&D)", "", {}}}},
  };
  form.shortcuts = {{'N', kNewItem}, {'O', kOpenItem}};
  form.bindings = {
      {0, Event::Created, +[] { Note("created"); }},
      {0, Event::MayClose, +[] { Note("may close"); return mayClose; }},
      {0, Event::SizeChanged, +[] { Note("size"); }},
      {kNewItem, Event::Chosen, +[] { Note("new"); }},
      {kOpenItem, Event::Chosen, +[] { Note("open"); }},
      {kFirstEditItem, Event::Chosen, +[] { Note("first"); }},
      {kSecondEditItem, Event::Chosen, +[] { Note("second"); }},
      {kTools, Event::ButtonClicked, +[](int p) { NoteWith("tool", p); }},
      {kTree, Event::SelectionChanged, +[](int cause) { NoteWith("tree selection", cause); }},
      {kList, Event::MouseDown, +[] { NoteWith("list down, selected", list.SelectedRow()); }},
      {kList, Event::MouseUp, +[] { NoteWith("list up, selected", list.SelectedRow()); }},
      {kList, Event::Clicked, +[] { NoteWith("list clicked, selected", list.SelectedRow()); }},
      {kList, Event::DoubleClick, +[] { Note("list double"); }},
      {kList, Event::RightButtonDown, +[] { Note("list right"); }},
      {kList, Event::LabelEditEnded, +[](int row) {
         NoteWith("edit ended", row);
         textDuringEdit = list.GetCellText(row, 0);
         return editAnswer;
       }},
      {kLog, Event::SelectionChanged, +[] { NoteWith("log selection", log.CurrentSelection()); }},
      {kSearchBox, Event::ContentChanged, +[] { Note("search changed"); }},
      {kTextView, Event::ContentChanged, +[] { Note("text changed"); }},
      {kButton, Event::Clicked, +[] { Note("button"); }},
      {kUp, Event::Clicked, +[] { Note("up"); }},
  };
  return form;
}

Form OtherForm() {
  Form form;
  form.window = kOtherWindow;
  form.designName = "OtherWindow";
  form.caption = "查找";
  form.geometry = {0, 0, 300, 150};
  form.style = kFixedFrame | kCentred | kEscCloses;
  form.controls = {
      {.type = ControlType::Button, .id = 1, .designName = "取消", .geometry = {10, 10, 80, 24}, .caption = "取消"},
  };
  form.bindings = {
      {0, Event::Created, +[] { Note("other created"); }},
      {1, Event::Clicked, +[] {
         Note("other cancel");
         CloseWindow(kOtherWindow);
         Note("after close request");
       }},
  };
  return form;
}

}  // namespace contract
