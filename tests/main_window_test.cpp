// The main window on both bodies: the analysis of a file's lines into the
// three views, the log and status line, the layout rule and the toolbar's
// commands.
#include <gtest/gtest.h>

#include <cstdlib>

#include "editor/analysis.h"
#include "editor/editor_state.h"
#include "editor/log.h"
#include "editor/window_ids.h"
#include "forms/forms.h"
#include "main_window_fixture.h"
#include "primitives/driver.h"

namespace {

using namespace MainWindow;

using MainWindowTest = MainWindowFixture;

struct Node {
  Text text;
  int image;
  int parent;
};

struct AnalysisCase {
  const char* name;
  std::vector<Text> lines;
  std::vector<Node> tree;  // in pre-order, which is the lines' order
};

const AnalysisCase kAnalysisCases[] = {
    {"empty file", {}, {}},
    {"two sections with an empty line",
     {"[a]", "x=1", "", "[b]", "y=2"},
     {{"[a]", 1, -1}, {"x=1", 0, 0}, {"", 0, 0}, {"[b]", 1, -1}, {"y=2", 0, 3}}},
    {"lines before the first header hang under the first line",
     {";head", "k=v", "[s]", "z=0"},
     {{";head", 0, -1}, {"k=v", 0, 0}, {"[s]", 1, -1}, {"z=0", 0, 2}}},
    {"equal headers stay apart, a header after a header has no children",
     {"[s]", "[s]", "k=1", "k=1"},
     {{"[s]", 1, -1}, {"[s]", 1, -1}, {"k=1", 0, 1}, {"k=1", 0, 1}}},
    {"only the last byte counts",
     {"key=a[1]", "[main] ", "   ", "]"},
     {{"key=a[1]", 1, -1}, {"[main] ", 0, 0}, {"   ", 0, 0}, {"]", 1, -1}}},
    // 0xA1 0x5D is one two-byte character whose trail byte is "]".
    {"a two-byte character ending in 0x5D", {"[x]", "name=\xA1\x5D", "v=1"},
     {{"[x]", 1, -1}, {"name=\xA1\x5D", 1, -1}, {"v=1", 0, 1}}},
};

TEST_F(MainWindowTest, AnalysisFillsTreeListTargetTextAndLoadedLines) {
  for (const AnalysisCase& c : kAnalysisCases) {
    SCOPED_TRACE(c.name);
    树型框1.ClearTree();
    超级列表框1.DeleteAllRows();
    编辑框1.SetContent("");
    AnalyseLines(TextColumn(c.lines));

    const int n = static_cast<int>(c.lines.size());
    ASSERT_EQ(树型框1.TreeItemCount(), n);
    ASSERT_EQ(超级列表框1.RowCount(), n);
    ASSERT_EQ(Editor().loadedLines.Count(), n);
    Text target;
    for (int k = 0; k < n; ++k) {
      const Node& node = c.tree[static_cast<std::size_t>(k)];
      const driver::TreeItemLook look = driver::LookAtTreeItem(树型框1, k);
      EXPECT_EQ(树型框1.GetTreeItemText(k), node.text) << "node " << k;
      EXPECT_EQ(look.image, node.image) << "node " << k;
      EXPECT_EQ(look.parent, node.parent) << "node " << k;
      if (k > 0) {
        EXPECT_FALSE(look.expanded) << "node " << k;
      }
      EXPECT_EQ(超级列表框1.GetCellText(k, 0), c.lines[static_cast<std::size_t>(k)]);
      EXPECT_EQ(超级列表框1.GetCellText(k, 1), c.lines[static_cast<std::size_t>(k)]);
      EXPECT_EQ(超级列表框1.GetRowChecked(k), c.lines[static_cast<std::size_t>(k)].empty() ? 0 : 1);
      EXPECT_EQ(Editor().loadedLines.Get(k), c.lines[static_cast<std::size_t>(k)]);
      target += c.lines[static_cast<std::size_t>(k)] + "\r\n";
    }
    if (n > 1 && c.tree[1].parent == 0) {
      EXPECT_TRUE(driver::LookAtTreeItem(树型框1, 0).expanded) << "node 0 shows its children";
    }
    EXPECT_EQ(编辑框1.Content(), target);
  }
}

TEST_F(MainWindowTest, LogEntriesAreNumberedAcrossTheRunAndAppendedInOrder) {
  for (int i = 1; i <= 10; ++i) AppendLog(":提取所有项\r\n");
  EXPECT_EQ(Editor().logCounter, 10);
  ASSERT_EQ(列表框2.ListItemCount(), 10);
  EXPECT_EQ(列表框2.GetListItemText(0), "1:提取所有项\r\n");
  EXPECT_EQ(列表框2.GetListItemText(1), "2:提取所有项\r\n") << "not sorted: 10 does not land after 1";
  EXPECT_EQ(列表框2.GetListItemText(9), "10:提取所有项\r\n");
  EXPECT_EQ(列表框2.CurrentSelection(), -1) << "adding selects nothing";

  EXPECT_EQ(状态条1.PartText(1), "当前操作:") << "the text at creation";
  SetStatusText(1, "提取所有");
  SetStatusText(0, "当前选定第3行");
  SetStatusText(2, "nowhere");
  EXPECT_EQ(状态条1.PartText(0), "当前选定第3行");
  EXPECT_EQ(状态条1.PartText(1), "提取所有");
}

// Resizes the main window so that its client area is w x h.
void SetClientSize(int w, int h) {
  window.SetWidth(window.Width() + w - window.ClientWidth());
  window.SetHeight(window.Height() + h - window.ClientHeight());
  driver::Settle();
}

TEST_F(MainWindowTest, LayoutFollowsTheClientSize) {
  SetClientSize(631, 412);
  ASSERT_EQ(window.ClientWidth(), 631);
  ASSERT_EQ(window.ClientHeight(), 412);
  // The status bar keeps the height its platform gives it (20 at design).
  const int s = 状态条1.Height();
  const int listHeight = (412 - s) / 2;
  const int tabHeight = 412 - listHeight - s - 35;
  EXPECT_EQ(树型框1.Width(), 184);
  EXPECT_EQ(树型框1.Height(), 412 - s);
  EXPECT_EQ(超级列表框1.Left(), 184);
  EXPECT_EQ(超级列表框1.Top(), 27);
  EXPECT_EQ(超级列表框1.Width(), 442);
  EXPECT_EQ(超级列表框1.Height(), listHeight);
  EXPECT_EQ(超级列表框1.ColumnWidth(0), 221);
  EXPECT_EQ(超级列表框1.ColumnWidth(1), 221);
  EXPECT_EQ(选择夹1.Left(), 184);
  EXPECT_EQ(选择夹1.Top(), listHeight + 35);
  EXPECT_EQ(选择夹1.Width(), 442);
  EXPECT_EQ(选择夹1.Height(), tabHeight);
  EXPECT_EQ(编辑框1.Width(), 434);
  EXPECT_EQ(编辑框1.Height(), tabHeight - 30);
  EXPECT_EQ(列表框2.Width(), 434);
  EXPECT_EQ(列表框2.Height(), tabHeight - 30);
  EXPECT_EQ(状态条1.PartWidth(0), 126);
  EXPECT_EQ(状态条1.PartWidth(1), 504);
  EXPECT_EQ(超级链接框1.Left(), 566) << "the link keeps its design place";
  if (s == 20) {
    EXPECT_EQ(树型框1.Height(), 392);
    EXPECT_EQ(超级列表框1.Height(), 196);
    EXPECT_EQ(选择夹1.Top(), 231);
    EXPECT_EQ(选择夹1.Height(), 161);
    EXPECT_EQ(编辑框1.Height(), 131);
  }

  // An odd list width gives two columns of (w - 1) / 2.
  SetClientSize(632, 412);
  EXPECT_EQ(超级列表框1.Width(), 443);
  EXPECT_EQ(超级列表框1.ColumnWidth(0), 221);
  EXPECT_EQ(超级列表框1.ColumnWidth(1), 221);
}

TEST_F(MainWindowTest, LayoutOfANarrowWindow) {
  SetClientSize(100, 412);
  if (window.ClientWidth() != 100) {
    GTEST_SKIP() << "the platform keeps a captioned window wider than a client width of 100 ("
                 << window.ClientWidth() << ")";
  }
  EXPECT_EQ(树型框1.Width(), 25);
  EXPECT_EQ(超级列表框1.Width(), 70);
  EXPECT_EQ(选择夹1.Width(), 70);
  EXPECT_EQ(状态条1.PartWidth(0), 20);
  EXPECT_EQ(状态条1.PartWidth(1), 80);
}

TEST_F(MainWindowTest, MaximiseAndRestoreLayTheWindowOutAgain) {
  SetClientSize(631, 412);
  const int treeWidth = 树型框1.Width();
  const int listHeight = 超级列表框1.Height();
  driver::Maximize(kMainWindow);
  EXPECT_EQ(树型框1.Width(), (window.ClientWidth() * 3 - 50) / 10);
  EXPECT_EQ(超级链接框1.Left(), 566);
  driver::Restore(kMainWindow);
  EXPECT_EQ(树型框1.Width(), treeWidth);
  EXPECT_EQ(超级列表框1.Height(), listHeight);
  driver::Minimize(kMainWindow);  // negative sizes are written without complaint
  driver::Restore(kMainWindow);
  EXPECT_EQ(树型框1.Width(), treeWidth);
}

TEST(Toolbar, PositionsRunTheCommandsOfTheirMenuItems) {
  const std::pair<int, int> cases[] = {
      {0, k新建},   {1, k打开},       {2, k保存},         {3, k另存为}, {4, 0}, {5, k提取所有},
      {6, k提取钩选项}, {7, k提取目录树}, {8, 0}, {9, k查找}, {10, 0}, {-1, 0},
  };
  for (const auto& [position, item] : cases) EXPECT_EQ(ToolbarMenuItem(position), item) << "position " << position;
}

// With VARNEL_HOLD_MS set, the window stays up with a small document so
// that a screenshot shows the images, check boxes and Chinese captions.
TEST_F(MainWindowTest, ShowsALoadedExample) {
  AnalyseLines({"[网络设置]", "服务器=本地", "端口=8080", "", "[显示]", "字体=宋体", "颜色=蓝"});
  AppendLog(":打开文本C:\\示例.ini\r\n");
  SetStatusText(1, "打开文件");
  EXPECT_EQ(超级列表框1.RowCount(), 7);
  if (const char* hold = std::getenv("VARNEL_HOLD_MS")) driver::KeepShowing(std::atoi(hold));
}

TEST_F(MainWindowTest, StartsWithPageZeroAndTheDesignCaptions) {
  EXPECT_EQ(选择夹1.CurrentPage(), 0);
  EXPECT_EQ(超级列表框1.RowCount(), 0);
  EXPECT_EQ(树型框1.TreeItemCount(), 0);
  EXPECT_EQ(超级链接框1.Caption(), "官方网站");
  EXPECT_EQ(通用对话框1.Filter(), "配置文件(*.ini)|*.ini|文本文件（*.txt)|*.txt|所有文件(*.*)|*.*");
  EXPECT_EQ(通用对话框1.DialogType(), 0);
}

}  // namespace
