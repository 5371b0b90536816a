// One contract for both control bodies: this source runs natively on the
// memory body and under Wine on the real Windows controls.
#include <gtest/gtest.h>

#include <cstdlib>

#include "contract_form.h"
#include "primitives/driver.h"

namespace {

using namespace contract;
using Events = std::vector<std::string>;

void ReportUnexpected(const Text& what) { ADD_FAILURE() << "unexpected " << what; }

class Contract : public testing::Test {
 protected:
  void SetUp() override {
    driver::OnUnexpected(&ReportUnexpected);
    driver::Reset();
    editAnswer = true;
    mayClose = true;
    LoadWindow(ContractForm());
    driver::Settle();
    contract::Events().clear();
  }
  void TearDown() override { driver::Reset(); }

  static Events TakeEvents() { return std::exchange(contract::Events(), {}); }

  static std::vector<Text> TreeTexts() {
    std::vector<Text> texts;
    for (int i = 0; i < tree.TreeItemCount(); ++i) texts.push_back(tree.GetTreeItemText(i));
    return texts;
  }
  static std::vector<Text> Column0() {
    std::vector<Text> texts;
    for (int i = 0; i < list.RowCount(); ++i) texts.push_back(list.GetCellText(i, 0));
    return texts;
  }
};

TEST_F(Contract, TreeIndexesArePreOrderAndShiftOnInsertion) {
  EXPECT_EQ(tree.AddTreeItem(-1, "A"), 0);
  EXPECT_EQ(tree.AddTreeItem(0, "A1"), 1);
  EXPECT_EQ(tree.AddTreeItem(0, "A2"), 2);
  EXPECT_EQ(tree.AddTreeItem(tree.TreeItemCount(), "B", 1), 3) << "a parent equal to the count is top level";
  EXPECT_EQ(tree.AddTreeItem(0, "A3"), 3) << "a child of A lands before B";
  EXPECT_EQ(tree.AddTreeItem(1, "A1a"), 2);
  EXPECT_EQ(tree.AddTreeItem(99, "C"), 6);
  EXPECT_EQ(TreeTexts(), (std::vector<Text>{"A", "A1", "A1a", "A2", "A3", "B", "C"}));
  EXPECT_EQ(tree.GetTreeItemText(7), "");
  EXPECT_EQ(tree.GetTreeItemText(-1), "");
  EXPECT_EQ(tree.SelectedItem(), -1);
  tree.ExpandTreeItem(0);
  tree.ExpandTreeItem(42);

  driver::ClickTreeItem(tree, 4);
  EXPECT_EQ(tree.SelectedItem(), 4);
  EXPECT_EQ(TakeEvents(), Events{"tree selection 1"});
  driver::KeyTreeItem(tree, 5);
  EXPECT_EQ(tree.SelectedItem(), 5);
  EXPECT_EQ(TakeEvents(), Events{"tree selection 0"});
  // A1 was never expanded: its child is still found, looked at and clicked.
  EXPECT_EQ(driver::LookAtTreeItem(tree, 2).parent, 1);
  driver::ClickTreeItem(tree, 2);
  EXPECT_EQ(tree.SelectedItem(), 2);
  EXPECT_EQ(TakeEvents(), Events{"tree selection 1"});
  EXPECT_EQ(tree.AddTreeItem(1, "A1b"), 3) << "a child added once its parent shows its children";
  EXPECT_EQ(driver::LookAtTreeItem(tree, 3).parent, 1);

  tree.ClearTree();
  EXPECT_EQ(tree.TreeItemCount(), 0);
  EXPECT_EQ(tree.GetTreeItemText(0), "");
  EXPECT_EQ(tree.SelectedItem(), -1);
}

TEST_F(Contract, ListRowsInsertSelectDelete) {
  EXPECT_EQ(list.SelectedRow(), -1) << "empty list";
  EXPECT_EQ(list.InsertRow(-1, "a"), 0);
  EXPECT_EQ(list.InsertRow(list.RowCount(), "c"), 1) << "position equal to the count appends";
  EXPECT_EQ(list.InsertRow(1, "b"), 1);
  EXPECT_EQ(list.InsertRow(100, "d"), 3);
  EXPECT_EQ(Column0(), (std::vector<Text>{"a", "b", "c", "d"}));
  EXPECT_EQ(list.GetCellText(0, 1), "") << "a new row has an empty column 1";
  EXPECT_EQ(list.GetRowChecked(0), 0) << "and no check mark";

  list.SelectRow(2);
  EXPECT_EQ(list.SelectedRow(), 2);
  EXPECT_EQ(list.InsertRow(list.SelectedRow(), "above c"), 2);
  EXPECT_EQ(list.SelectedRow(), 3) << "the selected row moves down";
  EXPECT_EQ(list.GetCellText(3, 0), "c");
  list.SelectRow(-1);
  EXPECT_EQ(list.SelectedRow(), 3) << "a negative row changes nothing";
  list.SelectRow(0);
  EXPECT_EQ(list.SelectedRow(), 0) << "single selection";

  list.SetCellText(1, 1, "before");
  list.SetCellText(17, 0, "nothing");
  list.SetRowChecked(1, 1);
  EXPECT_EQ(list.GetCellText(1, 1), "before");
  EXPECT_EQ(list.CellView(1, 1), "before");
  list.SetCellText(2, 0, list.CellView(1, 1));  // a view of another cell, as "restore all" gives
  EXPECT_EQ(list.GetCellText(2, 0), "before");
  EXPECT_EQ(list.GetCellText(1, 1), "before");
  list.SetCellText(2, 0, "above c");
  EXPECT_EQ(list.CellView(5, 0), "");
  EXPECT_EQ(list.GetRowChecked(1), 1);
  list.SetRowChecked(1, 0);
  EXPECT_EQ(list.GetRowChecked(1), 0);
  EXPECT_EQ(list.GetRowChecked(5), -1);
  EXPECT_EQ(list.GetRowChecked(-1), -1);
  EXPECT_EQ(list.GetCellText(5, 0), "");
  EXPECT_EQ(list.GetCellText(0, 7), "");

  EXPECT_TRUE(list.DeleteRow(0));
  EXPECT_EQ(list.SelectedRow(), -1) << "the selected row is gone";
  EXPECT_FALSE(list.DeleteRow(4));
  EXPECT_FALSE(list.DeleteRow(-1));
  EXPECT_EQ(list.RowCount(), 4);
  // Rows deleted or inserted above take the selection and the marks along.
  list.SetRowChecked(2, 1);
  list.SelectRow(2);
  EXPECT_TRUE(list.DeleteRow(0));
  EXPECT_EQ(list.SelectedRow(), 1);
  EXPECT_EQ(list.GetRowChecked(1), 1);
  EXPECT_EQ(list.InsertRow(0, "new"), 0);
  EXPECT_EQ(list.SelectedRow(), 2);
  EXPECT_EQ(list.GetRowChecked(2), 1);
  EXPECT_EQ(Column0(), (std::vector<Text>{"new", "above c", "c", "d"}));
  list.SetColumnWidth(0, 150);
  EXPECT_EQ(list.ColumnWidth(0), 150);
  list.EnsureRowVisible(3);
  list.DeleteAllRows();
  EXPECT_EQ(list.RowCount(), 0);
  EXPECT_EQ(list.SelectedRow(), -1);
}

TEST_F(Contract, LongCellTextsHaveNoLimit) {
  const Text longText(5000, 'x');
  list.InsertRow(-1, longText);
  list.SetCellText(0, 1, longText + "y");
  EXPECT_EQ(list.GetCellText(0, 0), longText);
  EXPECT_EQ(list.GetCellText(0, 1), longText + "y");
}

TEST_F(Contract, MouseOnTheListReachesHandlersBeforeTheList) {
  list.InsertRow(-1, "r0");
  list.InsertRow(-1, "r1");
  driver::ClickRow(list, 1);
  EXPECT_EQ(list.SelectedRow(), 1);
  EXPECT_EQ(TakeEvents(), (Events{"list down, selected -1", "list clicked, selected 1", "list up, selected 1"}));
  driver::ClickRow(list, -1);
  EXPECT_EQ(list.SelectedRow(), -1) << "a click on the empty area clears the selection";
  TakeEvents();
  driver::DoubleClickRow(list, 0);
  EXPECT_EQ(list.SelectedRow(), 0);
  const Events events = TakeEvents();
  EXPECT_NE(std::find(events.begin(), events.end(), "list double"), events.end());
  EXPECT_EQ(events.back(), "list up, selected 0");
  driver::RightClickRow(list, 1);
  EXPECT_EQ(TakeEvents().front(), "list right");
}

TEST_F(Contract, LabelEditStoresTheTextOnlyAfterTheHandlerAgreed) {
  list.InsertRow(-1, "old0");
  list.InsertRow(-1, "old1");
  list.EditRowLabel(1);
  ASSERT_TRUE(driver::LabelEditActive(list));
  driver::ConfirmLabelEdit(list, "新的");
  EXPECT_EQ(TakeEvents(), Events{"edit ended 1"});
  EXPECT_EQ(textDuringEdit, "old1") << "column 0 holds the old text while the handler runs";
  EXPECT_EQ(list.GetCellText(1, 0), "新的");
  EXPECT_FALSE(driver::LabelEditActive(list));

  editAnswer = false;
  list.EditRowLabel(0);
  driver::ConfirmLabelEdit(list, "refused");
  EXPECT_EQ(list.GetCellText(0, 0), "old0") << "a false answer rejects the edit";

  editAnswer = true;
  list.EditRowLabel(0);
  driver::CancelLabelEdit(list);
  EXPECT_EQ(TakeEvents(), (Events{"edit ended 0", "edit ended 0"}));
  EXPECT_EQ(list.GetCellText(0, 0), "old0");
}

struct SelectionCase {
  const char* name;
  int start;  // written first unless kSkip
  int length; // written second unless kSkip
  int expectedStart;
  int expectedLength;
};
constexpr int kSkip = -999;

TEST_F(Contract, EditBoxSelectionRules) {
  const SelectionCase cases[] = {
      {"start 5 then length 3", 5, 3, 5, 3},
      {"length -1 selects all", kSkip, -1, 0, 10},
      {"start -1 puts the caret at the end", -1, kSkip, 10, 0},
      {"other negative start is 0", -7, kSkip, 0, 0},
      {"other negative length is 0", 4, -3, 4, 0},
      {"start 0 length 0", 0, 0, 0, 0},
  };
  textView.SetContent("0123456789");
  for (const SelectionCase& c : cases) {
    if (c.start != kSkip) textView.SetSelectionStart(c.start);
    if (c.length != kSkip) textView.SetSelectionLength(c.length);
    EXPECT_EQ(textView.SelectionStart(), c.expectedStart) << c.name;
    EXPECT_EQ(textView.SelectionLength(), c.expectedLength) << c.name;
  }
  // Writing the start alone re-applies the length written last.
  textView.SetSelectionStart(2);
  textView.SetSelectionLength(4);
  textView.SetSelectionStart(5);
  EXPECT_EQ(textView.SelectionStart(), 5);
  EXPECT_EQ(textView.SelectionLength(), 4);
  // Offsets are bytes, also over two-byte characters.
  textView.SetContent("ab中文cd");
  textView.SetSelectionStart(4);
  textView.SetSelectionLength(2);
  EXPECT_EQ(textView.SelectionStart(), 4);
  EXPECT_EQ(textView.SelectionLength(), 2);
  // A control selects whole characters: an end inside one moves back to
  // its start.
  textView.SetSelectionStart(3);  // the length stays 2
  EXPECT_EQ(textView.SelectionStart(), 2);
  EXPECT_EQ(textView.SelectionLength(), 2) << "[3, 5) selects 中";
  textView.SetSelectionLength(3);
  EXPECT_EQ(textView.SelectionStart(), 2);
  EXPECT_EQ(textView.SelectionLength(), 4) << "[3, 6) selects 中文";
}

TEST_F(Contract, ALongTextCanBeReadAndSelectedRightAfterItIsWritten) {
  // Long enough for the real control to be handed it in parts.
  Text text;
  for (int i = 0; i < 40000; ++i) text += "line " + std::to_string(i) + " 中文\r\n";
  const int length = TextLength(text);
  textView.SetContent(text);
  EXPECT_EQ(textView.SelectionStart(), 0);
  textView.SetSelectionStart(6);
  textView.SetSelectionLength(3);
  EXPECT_EQ(textView.SelectionStart(), 6);
  EXPECT_EQ(textView.SelectionLength(), 3);
  textView.AppendText("end\r\n");
  EXPECT_TRUE(textView.Content() == text + "end\r\n") << "(texts too long to print)";
  EXPECT_EQ(textView.SelectionStart(), length + 5) << "an append puts the caret at the end";
  textView.SetContent(text + text);  // a new text while the last one is still being handed over
  textView.SetSelectionStart(length + 6);
  driver::Settle();
  EXPECT_TRUE(textView.Content() == text + text) << "(texts too long to print)";
  EXPECT_EQ(textView.SelectionStart(), length + 6);
  EXPECT_EQ(textView.SelectionLength(), 3);
  const int units = length - 2 * 40000;  // 中文 is four bytes and two characters
  EXPECT_EQ(driver::ShownLength(textView), 2 * units);

  // A lone lead byte ending a text still being handed over pairs with the
  // first byte appended.
  textView.SetContent(text + "\xB0");
  textView.AppendText("a");
  EXPECT_EQ(driver::ShownLength(textView), units + 1);
  EXPECT_TRUE(textView.Content() == text + "\xB0" "a") << "(texts too long to print)";

  // And a short text after the long one, once all of it is shown.
  driver::Settle();
  textView.SetContent("短");
  EXPECT_EQ(textView.Content(), "短");
  EXPECT_EQ(driver::ShownLength(textView), 1);
  textView.AppendText("a");
  EXPECT_EQ(driver::ShownLength(textView), 2);
  TakeEvents();
}

TEST_F(Contract, ContentWritesRaiseContentChangedOnce) {
  searchBox.SetContent("abc");
  EXPECT_EQ(TakeEvents(), Events{"search changed"});
  searchBox.SetContent("abc");
  EXPECT_EQ(TakeEvents(), Events{"search changed"}) << "also when the text is the same";
  EXPECT_EQ(searchBox.Content(), "abc");

  EXPECT_EQ(textView.Content(), "");
  textView.AppendText("第一行\r\n");
  EXPECT_EQ(textView.Content(), "第一行\r\n");
  textView.AppendText("second");
  EXPECT_EQ(textView.Content(), "第一行\r\nsecond");
  EXPECT_EQ(TakeEvents(), (Events{"text changed", "text changed"}));
  EXPECT_EQ(textView.SelectionStart(), TextLength(textView.Content())) << "caret after the added text";
  EXPECT_EQ(textView.SelectionLength(), 0);

  driver::TypeText(searchBox, "typed");
  EXPECT_EQ(searchBox.Content(), "typed");
  EXPECT_EQ(TakeEvents(), Events{"search changed"});
  driver::TypeText(textView, "refused");
  EXPECT_EQ(textView.Content(), "第一行\r\nsecond") << "the text view is read-only for the user";
}

TEST_F(Contract, TextsKeepTheirBytesInEveryView) {
  // The bytes, and the characters the text view shows for them once and
  // twice over ("ab\xB0ab\xB0": the lone lead byte pairs with the "a").
  const struct {
    Text bytes;
    int shown;
    int shownTwice;
  } samples[] = {{"\xA1\x5D", 1, 2}, {"\x81\x7F", 1, 2}, {"ab\xB0", 3, 5}, {"[中文]", 4, 8}, {"a\rb", 3, 6}};
  for (const auto& [bytes, shown, shownTwice] : samples) {
    list.DeleteAllRows();
    tree.ClearTree();
    list.InsertRow(-1, bytes);
    list.SetCellText(0, 1, bytes);
    tree.AddTreeItem(-1, bytes);
    textView.SetContent(bytes);
    log.AddListItem(bytes);
    EXPECT_EQ(list.GetCellText(0, 0), bytes);
    EXPECT_EQ(list.GetCellText(0, 1), bytes);
    EXPECT_EQ(tree.GetTreeItemText(0), bytes);
    EXPECT_EQ(textView.Content(), bytes);
    EXPECT_EQ(driver::ShownLength(textView), shown);
    textView.AppendText(bytes);
    EXPECT_EQ(textView.Content(), bytes + bytes);
    EXPECT_EQ(driver::ShownLength(textView), shownTwice);
    EXPECT_EQ(log.GetListItemText(log.ListItemCount() - 1), bytes);
  }
}

// With VARNEL_HOLD_MS set, the window stays up that long so that a
// screenshot can show how the controls draw Chinese text.
TEST_F(Contract, ChineseTextInEveryView) {
  tree.AddTreeItem(-1, "[网络设置]", 1);
  tree.AddTreeItem(0, "服务器=本地");
  list.InsertRow(-1, "服务器=本地");
  list.SetCellText(0, 1, "服务器=远程");
  list.SetRowChecked(0, true);
  textView.SetContent("[网络设置]\r\n服务器=本地\r\n");
  status.SetPartText(0, "当前操作:打开文本");
  EXPECT_EQ(list.GetCellText(0, 1), "服务器=远程");
  if (const char* hold = std::getenv("VARNEL_HOLD_MS")) driver::KeepShowing(std::atoi(hold));
}

TEST_F(Contract, LogItems) {
  EXPECT_EQ(log.CurrentSelection(), -1);
  EXPECT_EQ(log.AddListItem("1:打开文本\r\n"), 0);
  EXPECT_EQ(log.AddListItem("2:保存"), 1);
  EXPECT_EQ(log.GetListItemText(0), "1:打开文本\r\n");
  EXPECT_EQ(log.GetListItemText(2), "");
  EXPECT_EQ(log.GetListItemText(-1), "");
  tab.SetCurrentPage(1);
  EXPECT_EQ(TakeEvents(), Events{}) << "writing the page raises nothing";
  driver::ClickListItem(log, 1);
  EXPECT_EQ(log.CurrentSelection(), 1);
  EXPECT_EQ(TakeEvents(), Events{"log selection 1"});
}

TEST_F(Contract, BarsTabsAndOptionButtons) {
  EXPECT_EQ(status.PartText(1), "当前操作:");
  status.SetPartText(0, "第3行");
  status.SetPartText(2, "nothing");
  status.SetPartText(-1, "nothing");
  EXPECT_EQ(status.PartText(0), "第3行");
  EXPECT_EQ(status.PartText(2), "");
  status.SetPartWidth(0, 126);
  status.SetPartWidth(1, 504);
  EXPECT_EQ(status.PartWidth(0), 126);
  EXPECT_EQ(status.PartWidth(1), 504);
  EXPECT_EQ(status.PartText(0), "第3行") << "texts stay after a width change";

  driver::ClickToolButton(tools, 1);
  driver::ClickToolButton(tools, 2);
  tools.SetButtonEnabled(3, false);
  tools.SetButtonEnabled(9, false);
  EXPECT_FALSE(tools.ButtonEnabled(3));
  driver::ClickToolButton(tools, 3);
  EXPECT_EQ(TakeEvents(), Events{"tool 1"}) << "separators and disabled buttons raise nothing";
  tools.SetButtonEnabled(3, true);
  driver::ClickToolButton(tools, 3);
  EXPECT_EQ(TakeEvents(), Events{"tool 3"});

  EXPECT_EQ(tab.CurrentPage(), 0);
  tab.SetCurrentPage(1);
  EXPECT_EQ(tab.CurrentPage(), 1);
  tab.SetCurrentPage(5);
  EXPECT_EQ(tab.CurrentPage(), 1);
  driver::ClickTab(tab, 0);
  EXPECT_EQ(tab.CurrentPage(), 0);

  EXPECT_TRUE(down.Checked());
  EXPECT_FALSE(up.Checked());
  up.SetChecked(true);
  EXPECT_TRUE(up.Checked());
  if (!driver::UnderWine()) {
    // Wine's BM_SETCHECK clears the other automatic buttons of the group;
    // Windows' leaves them alone.
    EXPECT_TRUE(down.Checked()) << "writing changes only this button";
  }
  up.SetChecked(false);
  driver::ClickButton(up);
  EXPECT_TRUE(up.Checked());
  EXPECT_FALSE(down.Checked()) << "a click on an automatic button clears the group";
  driver::ClickButton(button);
  EXPECT_EQ(TakeEvents(), (Events{"up", "button"}));
}

TEST_F(Contract, GeometryCaptionsAndDisabledControls) {
  EXPECT_EQ(list.Left(), 187);
  EXPECT_EQ(list.Top(), 27);
  EXPECT_EQ(textView.Left(), 3) << "page controls are placed inside the tab";
  EXPECT_EQ(textView.Top(), 24);
  list.SetWidth(300);
  EXPECT_EQ(list.Width(), 300);
  EXPECT_EQ(list.Left(), 187) << "writing the width keeps the position";
  list.SetHeight(-5);
  list.SetWidth(-20);
  list.SetLeft(150);
  list.SetTop(30);
  EXPECT_EQ(list.Left(), 150);
  EXPECT_EQ(list.Top(), 30);
  textView.SetWidth(200);
  EXPECT_EQ(textView.Width(), 200);

  EXPECT_EQ(label.Caption(), "中文标签");
  label.SetCaption("新标题");
  EXPECT_EQ(label.Caption(), "新标题");
  EXPECT_EQ(window.Caption(), "控件测试");
  window.SetCaption("Varnel-C:\\文件.ini");
  EXPECT_EQ(window.Caption(), "Varnel-C:\\文件.ini");
  EXPECT_GT(window.ClientWidth(), 0);
  EXPECT_GT(window.ClientHeight(), 0);

  list.InsertRow(-1, "x");
  list.SetDisabled(true);
  EXPECT_TRUE(list.Disabled());
  driver::ClickRow(list, 0);
  EXPECT_EQ(TakeEvents(), Events{}) << "a disabled control ignores input";
  list.SetDisabled(false);
  EXPECT_FALSE(list.Disabled());
}

TEST_F(Contract, MenusAndShortcutsDoNothingWhileDisabled) {
  const MenuItem newItem{kWindow, kNewItem};
  EXPECT_FALSE(newItem.Disabled());
  EXPECT_TRUE(driver::ChooseMenu(newItem));
  driver::PressShortcut(kWindow, 'N');
  EXPECT_EQ(TakeEvents(), (Events{"new", "new"}));
  newItem.SetDisabled(true);
  EXPECT_TRUE(newItem.Disabled());
  EXPECT_FALSE(driver::ChooseMenu(newItem));
  driver::PressShortcut(kWindow, 'N');
  driver::PressShortcut(kWindow, 'O');
  EXPECT_EQ(TakeEvents(), Events{"open"});
}

TEST_F(Contract, PopupMenuShowsTheCurrentStatesAndRunsTheChoice) {
  const MenuItem second{kWindow, kSecondEditItem};
  second.SetDisabled(true);
  driver::AnswerNextPopup(kFirstEditItem);
  PopupMenu(kWindow, kEditMenu);
  driver::Settle();
  EXPECT_EQ(driver::LastPopupMenu(), kEditMenu);
  EXPECT_EQ(driver::LastPopupDisabledStates(), (std::vector<bool>{false, true}));
  EXPECT_EQ(TakeEvents(), Events{"first"});
  driver::AnswerNextPopup(kSecondEditItem);
  PopupMenu(kWindow, kEditMenu);
  driver::Settle();
  EXPECT_EQ(TakeEvents(), Events{}) << "a disabled item cannot be chosen";
}

TEST_F(Contract, MessageBoxesTitlesAndResults) {
  driver::AnswerNextMessage(kIdOk);
  EXPECT_EQ(ShowMessage("打开文件失败！", 64, "失败"), kIdOk);
  driver::AnswerNextMessage(kIdNo);
  EXPECT_EQ(ShowMessage("保存吗?", 3, "询问"), kIdNo);
  driver::AnswerNextMessage(kIdCancel);
  EXPECT_EQ(ShowMessage("请先选择一行"), kIdCancel);
  driver::AnswerNextMessage(kIdYes);
  EXPECT_EQ(ShowMessage("从头找起?", 68, "查找失败"), kIdYes);
  const auto shown = driver::TakeShownMessages();
  ASSERT_EQ(shown.size(), 4u);
  EXPECT_EQ(shown[0].text, "打开文件失败！");
  EXPECT_EQ(shown[0].style, 64);
  EXPECT_EQ(shown[0].title, "失败");
  EXPECT_EQ(shown[1].style, 3);
  EXPECT_EQ(shown[2].title, "信息：") << "the default title";
  EXPECT_EQ(shown[3].title, "查找失败");
  for (const auto& m : shown) EXPECT_FALSE(m.unexpected);
}

TEST_F(Contract, FileDialogKeepsTheNameWhenCancelled) {
  dialog.SetFileName("proposed.ini");
  dialog.SetDialogType(0);
  dialog.SetTitle("请选择配置文件");
  driver::CancelNextDialog();
  EXPECT_FALSE(dialog.ShowDialog());
  EXPECT_EQ(dialog.FileName(), "proposed.ini");
  auto shown = driver::TakeShownDialogs();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].type, 0);
  EXPECT_EQ(shown[0].title, "请选择配置文件");
  EXPECT_EQ(shown[0].filter, "配置文件(*.ini)|*.ini|所有文件(*.*)|*.*");

  const Text folder = CurrentDirectory();
  ASSERT_FALSE(folder.empty());
  const Text path = folder + (folder.find('\\') != Text::npos ? "\\" : "/") + "chosen.ini";
  dialog.SetDialogType(1);
  driver::AnswerNextDialog(path);
  EXPECT_TRUE(dialog.ShowDialog());
  EXPECT_EQ(dialog.FileName(), path);
  EXPECT_EQ(CurrentDirectory(), folder) << "the chosen file's folder is the current directory";
  shown = driver::TakeShownDialogs();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].type, 1);
}

TEST_F(Contract, ProgramsAndAddressesAreRecorded) {
  EXPECT_TRUE(RunProgram("c:\\windows\\notepad.exe C:\\a b.ini"));
  EXPECT_EQ(driver::TakeStartedPrograms(), std::vector<Text>{"c:\\windows\\notepad.exe C:\\a b.ini"});
  EXPECT_TRUE(OpenWebAddress("https://varnel.example/"));
  EXPECT_EQ(driver::TakeOpenedAddresses(), std::vector<Text>{"https://varnel.example/"});
}

TEST_F(Contract, ClosingAsksTheWindowAndEscClosesAlsoDuringAnEdit) {
  mayClose = false;
  driver::ClickCloseBox(kWindow);
  EXPECT_TRUE(window.IsOpen());
  EXPECT_EQ(TakeEvents(), Events{"may close"});

  list.InsertRow(-1, "row");
  list.EditRowLabel(0);
  driver::PressEscape(list);
  EXPECT_EQ(TakeEvents(), Events{"may close"}) << "Esc asks the window, not the edit";
  EXPECT_TRUE(window.IsOpen());

  mayClose = true;
  driver::PressEscape(textView);
  driver::Settle();
  EXPECT_FALSE(window.IsOpen());
}

TEST_F(Contract, ModalWindowBlocksTheOthersAndClosesAfterItsHandler) {
  LoadWindow(OtherForm(), kNoWindow, true);
  driver::Settle();
  EXPECT_EQ(TakeEvents(), Events{"other created"});
  EXPECT_FALSE(driver::ChooseMenu(MenuItem{kWindow, kNewItem})) << "the main window takes no input";
  driver::ClickRow(list, 0);
  EXPECT_EQ(TakeEvents(), Events{});

  LoadWindow(OtherForm(), kNoWindow, true);
  driver::Settle();
  EXPECT_EQ(TakeEvents(), Events{}) << "an open window is only activated";

  driver::ClickButton(Control{kOtherWindow, 1});
  driver::Settle();
  EXPECT_EQ(TakeEvents(), (Events{"other cancel", "after close request"}));
  EXPECT_FALSE(Window{kOtherWindow}.IsOpen());
  EXPECT_TRUE(driver::ChooseMenu(MenuItem{kWindow, kNewItem})) << "the main window takes input again";
}

TEST_F(Contract, SizeChangesOnMaximiseRestoreAndMinimise) {
  const int width = window.ClientWidth();
  const int height = window.ClientHeight();
  driver::Maximize(kWindow);
  EXPECT_GT(window.ClientWidth(), width);
  driver::Restore(kWindow);
  EXPECT_EQ(window.ClientWidth(), width);
  EXPECT_EQ(window.ClientHeight(), height);
  driver::Minimize(kWindow);
  EXPECT_EQ(window.ClientWidth(), 0);
  driver::Restore(kWindow);
  const Events events = TakeEvents();
  EXPECT_GE(std::count(events.begin(), events.end(), "size"), 4);
}

}  // namespace
