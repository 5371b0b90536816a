// Navigation, item editing, restore and extraction on both bodies, through
// real clicks, label edits, menus and message boxes.
#include <gtest/gtest.h>

#include "commands/commands.h"
#include "editor/editor_state.h"
#include "editor/window_ids.h"
#include "forms/forms.h"
#include "primitives/driver.h"
#include "main_window_fixture.h"
#include "scratch_folder.h"

namespace {

using namespace MainWindow;
using Texts = std::vector<Text>;

class Editing : public MainWindowFixture {
 protected:
  void Open(const std::string& bytes) {
    OpenFile(scratch.Fixture("doc.ini", bytes));
    driver::TakeShownDialogs();
  }
  static Texts Column(int column) {
    Texts texts;
    for (int r = 0; r < 超级列表框1.RowCount(); ++r) texts.push_back(超级列表框1.GetCellText(r, column));
    return texts;
  }
  static std::vector<int> Checks() {
    std::vector<int> checks;
    for (int r = 0; r < 超级列表框1.RowCount(); ++r) checks.push_back(超级列表框1.GetRowChecked(r));
    return checks;
  }
  static Text LastLog() { return 列表框2.GetListItemText(列表框2.ListItemCount() - 1); }
  // The body of the last log entry, without its number.
  static Text LastLogBody() {
    const Text entry = LastLog();
    return entry.substr(entry.find(':'));
  }
  static std::vector<driver::ShownMessage> Messages() { return driver::TakeShownMessages(); }

  ScratchFolder scratch;
};

TEST_F(Editing, InsertAboveAndBelowTheFirstRow) {
  Open("[a]\nx=1\n");
  driver::ClickRow(超级列表框1, 0);
  EXPECT_EQ(状态条1.PartText(0), "当前选定第1行");

  driver::ChooseMenu(向上插入项);
  EXPECT_TRUE(driver::LabelEditActive(超级列表框1));
  EXPECT_EQ(LastLogBody(), ":在第1行上插入了新项目\r\n");
  EXPECT_EQ(状态条1.PartText(1), "向上插入项");
  driver::ConfirmLabelEdit(超级列表框1, "k=new");
  EXPECT_EQ(Column(0), (Texts{"k=new", "[a]", "x=1"}));
  EXPECT_EQ(Column(1), (Texts{"新项目", "[a]", "x=1"}));
  EXPECT_EQ(Checks(), (std::vector<int>{0, 1, 1})) << "a new row is unchecked";
  EXPECT_EQ(超级列表框1.SelectedRow(), 1) << "the old first row stays selected";
  // The entry names the edited row and its text from before the edit.
  EXPECT_EQ(LastLogBody(), ":编辑选定项新项目\r\n");
  EXPECT_EQ(Editor().lastEditedRow, 0);
  EXPECT_EQ(Editor().modified, 1);
  EXPECT_TRUE(工具条1.ButtonEnabled(2));

  driver::ClickRow(超级列表框1, 0);
  driver::ChooseMenu(向下插入项);
  EXPECT_EQ(LastLogBody(), ":在第1行下插入了新项目\r\n") << "rows count from 1";
  driver::ConfirmLabelEdit(超级列表框1, "新项目");  // unchanged
  EXPECT_EQ(Column(0), (Texts{"k=new", "新项目", "[a]", "x=1"}));
  EXPECT_EQ(LastLogBody(), ":编辑选定项新项目\r\n");
  EXPECT_EQ(Editor().lastEditedRow, 1);
}

TEST_F(Editing, InsertBelowGivesAnEmptyDocumentItsFirstLine) {
  driver::ChooseMenu(新建);
  EXPECT_TRUE(driver::ChooseMenu(向下插入项));
  EXPECT_EQ(LastLogBody(), ":在第0行下插入了新项目\r\n");
  driver::ConfirmLabelEdit(超级列表框1, "新项目");
  EXPECT_EQ(Column(0), Texts{"新项目"});
  EXPECT_EQ(Editor().modified, 1) << "an unchanged edit still counts";
  for (const MenuItem& item : {用记事本打开, 保存, 另存为, 恢复到最初, 查找, 提取所有, 提取钩选项, 提取目录树}) {
    EXPECT_FALSE(item.Disabled()) << item.id();
  }
  for (int p : {2, 3, 5, 6, 7, 9}) EXPECT_TRUE(工具条1.ButtonEnabled(p)) << p;
}

TEST_F(Editing, CommandsWithoutASelectionExplainThemselves) {
  // A delete leaves no row selected and the item commands enabled.
  Open("[a]\nx=1\ny=2\n");
  driver::ClickRow(超级列表框1, 2);
  driver::ChooseMenu(删除选定项);
  Editor().modified = 0;
  struct Case {
    MenuItem item;
    Text message;
  };
  恢复当前编辑项.SetDisabled(false);
  for (const Case& c : {Case{向上插入项, "请选则需要插入的位置"}, Case{向下插入项, "请选则需要插入的位置"},
                        Case{编辑选定项, "请选则需要插入的位置"}, Case{删除选定项, "请选则需要删除的项目"},
                        Case{恢复当前编辑项, "请选择需要恢复项目!"}}) {
    const int entries = 列表框2.ListItemCount();
    driver::AnswerNextMessage(kIdOk);
    EXPECT_TRUE(driver::ChooseMenu(c.item));
    const auto shown = Messages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, c.message);
    EXPECT_EQ(shown[0].style, 0);
    EXPECT_EQ(shown[0].title, "信息：");
    EXPECT_EQ(列表框2.ListItemCount(), entries) << "a refused command writes no entry";
  }
  EXPECT_EQ(Editor().modified, 0);
  EXPECT_EQ(Column(0), (Texts{"[a]", "x=1"}));
}

TEST_F(Editing, DeleteTheSelectedRow) {
  Open("[a]\nx=1\n");
  driver::ClickRow(超级列表框1, 1);
  driver::ChooseMenu(删除选定项);
  EXPECT_EQ(Column(0), Texts{"[a]"});
  EXPECT_EQ(LastLogBody(), ":删除选定项x=1\r\n");
  EXPECT_EQ(状态条1.PartText(1), "删除选定项");
  EXPECT_EQ(Editor().modified, 1);
  driver::AnswerNextMessage(kIdOk);
  driver::ChooseMenu(删除选定项);
  EXPECT_EQ(Messages().size(), 1u) << "no row is selected after a delete";
}

TEST_F(Editing, TreeNodesSelectTheRowWithTheSameIndex) {
  Open("[a]\nx=1\ny=2\nz=3\n[b]\n");
  driver::ClickRow(超级列表框1, 3);
  driver::ChooseMenu(向上插入项);
  driver::ConfirmLabelEdit(超级列表框1, "w=0");
  driver::ClickTreeItem(树型框1, 3);
  EXPECT_EQ(超级列表框1.SelectedRow(), 3);
  EXPECT_EQ(超级列表框1.GetCellText(3, 0), "w=0") << "the inserted row, not node 3's line";
  EXPECT_EQ(树型框1.GetTreeItemText(3), "z=3");
}

TEST_F(Editing, ClicksOnTheListAndItsEmptyArea) {
  driver::ChooseMenu(新建);
  选择夹1.SetCurrentPage(1);
  const Text pane0 = 状态条1.PartText(0);
  const Text pane1 = 状态条1.PartText(1);
  driver::ClickRow(超级列表框1, -1);
  EXPECT_EQ(状态条1.PartText(0), pane0);
  EXPECT_EQ(状态条1.PartText(1), pane1);
  EXPECT_EQ(选择夹1.CurrentPage(), 1) << "an empty list does not switch the page";

  Open("[a]\nx=1\n");
  driver::ClickRow(超级列表框1, -1);
  EXPECT_TRUE(向上插入项.Disabled());
  EXPECT_TRUE(删除选定项.Disabled());
  driver::ClickRow(超级列表框1, 1);
  EXPECT_FALSE(向上插入项.Disabled());
  EXPECT_FALSE(删除选定项.Disabled());
  EXPECT_EQ(状态条1.PartText(0), "当前选定第2行");
  EXPECT_EQ(状态条1.PartText(1), "列表项;双击,编辑项目,文本定位到相应行");
  EXPECT_EQ(选择夹1.CurrentPage(), 0);
}

TEST_F(Editing, MouseUpRendersOnlyWhileModifiedAndFindsTheRowsOwnLine) {
  // INI files repeat keys across sections.
  Open("[a]\nenabled=1\n[b]\nenabled=1\n");
  // The text view holds the rows in order: a double click finds row 3's
  // own line, not the first enabled=1.
  driver::DoubleClickRow(超级列表框1, 3);
  EXPECT_EQ(编辑框1.SelectionStart(), 21);
  EXPECT_EQ(编辑框1.SelectionLength(), 9);
  driver::DoubleClickRow(超级列表框1, 1);
  EXPECT_EQ(编辑框1.SelectionStart(), 5);

  driver::ClickRowCheckBox(超级列表框1, 2);  // uncheck [b]
  driver::ClickToolButton(工具条1, 6);      // extract the checked lines
  const Text checked = "[a]\r\nenabled=1\r\nenabled=1\r\n";
  EXPECT_EQ(编辑框1.Content(), checked);
  driver::ClickRow(超级列表框1, 3);
  EXPECT_EQ(编辑框1.Content(), checked) << "not modified: the extraction stays";
  // Something else than the rows: the first place the text occurs.
  driver::DoubleClickRow(超级列表框1, 3);
  EXPECT_EQ(编辑框1.SelectionStart(), 5);

  driver::ClickRow(超级列表框1, 3);
  driver::ChooseMenu(编辑选定项);
  driver::ConfirmLabelEdit(超级列表框1, "enabled=1");
  driver::ClickRow(超级列表框1, 0);
  EXPECT_EQ(编辑框1.Content(), "[a]\r\nenabled=1\r\n[b]\r\nenabled=1\r\n") << "modified: re-rendered";
  EXPECT_EQ(编辑框1.SelectionStart(), 21) << "the row edited last, on its own line";
  EXPECT_EQ(编辑框1.SelectionLength(), 9);
}

TEST_F(Editing, RestoreCommands) {
  Open("[a]\nx=1\n\n");
  driver::ClickRow(超级列表框1, 1);
  driver::ChooseMenu(向上插入项);
  driver::ConfirmLabelEdit(超级列表框1, "y=2");
  EXPECT_EQ(Column(0), (Texts{"[a]", "y=2", "x=1", ""}));
  driver::ClickRow(超级列表框1, 1);
  driver::ChooseMenu(恢复当前编辑项);
  EXPECT_EQ(超级列表框1.GetCellText(1, 0), "新项目") << "an inserted row goes back to its placeholder";
  EXPECT_EQ(LastLogBody(), ":恢复当前编辑项新项目\r\n");
  driver::AnswerNextMessage(kIdOk);
  driver::ChooseMenu(恢复当前编辑项);
  EXPECT_EQ(Messages()[0].text, "当前项目未经过编辑,请选择编辑过得项目");

  // Edit row 0, uncheck row 2, delete row 3.
  driver::ClickRow(超级列表框1, 0);
  driver::ChooseMenu(编辑选定项);
  driver::ConfirmLabelEdit(超级列表框1, "[z]");
  driver::ClickRowCheckBox(超级列表框1, 2);
  driver::ClickRow(超级列表框1, 3);
  driver::ChooseMenu(删除选定项);
  const int entries = 列表框2.ListItemCount();
  driver::AnswerNextMessage(kIdCancel);
  driver::ChooseMenu(恢复所有编辑项);
  EXPECT_EQ(Column(0), (Texts{"[z]", "新项目", "x=1"}));
  EXPECT_EQ(列表框2.ListItemCount(), entries) << "Cancel writes nothing";
  const auto asked = Messages();
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].text, "真的要恢复所有修改吗?");
  EXPECT_EQ(asked[0].style, 33);
  EXPECT_EQ(asked[0].title, "询问");
  driver::AnswerNextMessage(kIdOk);
  driver::ChooseMenu(恢复所有编辑项);
  EXPECT_EQ(Column(0), (Texts{"[a]", "新项目", "x=1"})) << "inserted rows stay, deleted ones stay gone";
  EXPECT_EQ(Checks(), (std::vector<int>{1, 0, 0}));

  driver::ChooseMenu(恢复到最初);
  EXPECT_EQ(Column(0), (Texts{"[a]", "x=1", ""}));
  EXPECT_EQ(Column(1), (Texts{"[a]", "x=1", ""}));
  EXPECT_EQ(Checks(), (std::vector<int>{1, 1, 0}));
  EXPECT_EQ(编辑框1.Content(), "[a]\r\nx=1\r\n\r\n");
  EXPECT_EQ(LastLogBody(), ":恢复到最初状态\r\n");
  EXPECT_EQ(Editor().modified, 1) << "restoring to the initial state keeps the flag";
}

TEST_F(Editing, Extractions) {
  Open("a\nb\nc\n");
  driver::ClickRowCheckBox(超级列表框1, 1);
  driver::ChooseMenu(提取钩选项);
  EXPECT_EQ(编辑框1.Content(), "a\r\nc\r\n");
  EXPECT_EQ(状态条1.PartText(1), "提取钩选项");
  EXPECT_EQ(LastLogBody(), ":提取钩选项\r\n");

  driver::ClickRow(超级列表框1, 0);
  driver::ChooseMenu(编辑选定项);
  driver::ConfirmLabelEdit(超级列表框1, "A");
  driver::ClickRow(超级列表框1, 2);
  driver::ChooseMenu(删除选定项);
  driver::ClickToolButton(工具条1, 5);
  EXPECT_EQ(编辑框1.Content(), "A\r\nb\r\n");
  driver::ClickToolButton(工具条1, 7);
  EXPECT_EQ(编辑框1.Content(), "a\r\nb\r\nc\r\n") << "the tree keeps the lines as loaded";
  EXPECT_EQ(LastLogBody(), ":提取目录树\r\n");
}

TEST_F(Editing, ALogLineGoesToTheStatusLineWithItsLineBreak) {
  Open("k=v\n");
  driver::ClickTab(选择夹1, 1);
  driver::ClickListItem(列表框2, 0);
  EXPECT_EQ(状态条1.PartText(1), 列表框2.GetListItemText(0));
  EXPECT_EQ(RightPart(状态条1.PartText(1), 2), "\r\n");
}

TEST_F(Editing, TheContextMenuIsTheEditMenuInItsCurrentStates) {
  Open("k=v\n");
  driver::ClickRow(超级列表框1, 0);
  driver::AnswerNextPopup(0);
  driver::RightClickRow(超级列表框1, 0);
  EXPECT_EQ(driver::LastPopupMenu(), k编辑菜单);
  const std::vector<bool> states = driver::LastPopupDisabledStates();
  auto disabled = [](const MenuItem& item) { return item.Disabled(); };
  const std::vector<bool> menuBar = {disabled(向上插入项),   disabled(向下插入项),   disabled(编辑选定项),
                                     false /* line */,       disabled(恢复当前编辑项), disabled(恢复所有编辑项),
                                     disabled(恢复到最初),   false /* line */,       disabled(删除选定项)};
  EXPECT_EQ(states, menuBar);
  driver::AnswerNextPopup(k删除选定项);
  driver::RightClickRow(超级列表框1, 0);
  EXPECT_EQ(超级列表框1.RowCount(), 0);
}

}  // namespace
