// The find window and the about window on both bodies.
#include <gtest/gtest.h>

#include <cstdlib>

#include "editor/editor_state.h"
#include "editor/window_ids.h"
#include "forms/forms.h"
#include "primitives/driver.h"
#include "main_window_fixture.h"
#include "scratch_folder.h"

namespace {

using namespace SearchWindow;
const EditBox& textView = MainWindow::编辑框1;

class Windows : public MainWindowFixture {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    // A document makes 查找 available.
    OpenFile(scratch.Fixture("doc.ini", "k=v\n"));
  }
  static void OpenFind() {
    driver::PressShortcut(kMainWindow, 'F');
    ASSERT_TRUE(window.IsOpen());
  }
  // One click on 查找下一个; the selection it leaves as {start, length}.
  static std::pair<int, int> Next() {
    driver::ClickButton(查找下一个);
    return {textView.SelectionStart(), textView.SelectionLength()};
  }

  ScratchFolder scratch;
};

TEST_F(Windows, TheFindWindowRemembersOnlyWhatWasSearched) {
  OpenFind();
  EXPECT_EQ(编辑框1.Content(), "");
  EXPECT_TRUE(查找下一个.Disabled());
  EXPECT_TRUE(向下.Checked());
  EXPECT_FALSE(向上.Checked());
  driver::TypeText(编辑框1, "k");
  EXPECT_FALSE(查找下一个.Disabled());
  driver::TypeText(编辑框1, "");
  EXPECT_TRUE(查找下一个.Disabled());

  // While it is open the main window's menus, toolbar and shortcuts do nothing.
  EXPECT_FALSE(driver::ChooseMenu(MainWindow::新建));
  driver::PressShortcut(kMainWindow, 'N');
  driver::ClickToolButton(MainWindow::工具条1, 0);
  EXPECT_EQ(Editor().filePath, scratch.PathOf("doc.ini"));

  driver::TypeText(编辑框1, "v");
  EXPECT_EQ(Next(), (std::pair{2, 1}));
  driver::PressEscape(编辑框1);
  driver::Settle();
  EXPECT_FALSE(window.IsOpen());

  OpenFind();
  EXPECT_EQ(编辑框1.Content(), "v");
  EXPECT_EQ(编辑框1.SelectionStart(), 0);
  EXPECT_EQ(编辑框1.SelectionLength(), 1) << "wholly selected, so typing replaces it";
  EXPECT_FALSE(查找下一个.Disabled());
  driver::TypeText(编辑框1, "abandoned");
  driver::ClickButton(取消);
  driver::Settle();
  OpenFind();
  EXPECT_EQ(编辑框1.Content(), "v");
  driver::ClickCloseBox(kSearchWindow);
  driver::Settle();
  EXPECT_FALSE(window.IsOpen());
}

TEST_F(Windows, DownwardSearchWrapsToTheVeryFirstByte) {
  textView.SetContent("abc abc");
  OpenFind();
  driver::TypeText(编辑框1, "abc");
  EXPECT_EQ(Next(), (std::pair{0, 3}));
  EXPECT_EQ(Next(), (std::pair{4, 3}));
  driver::AnswerNextMessage(kIdYes);
  EXPECT_EQ(Next(), (std::pair{0, 3})) << "from the first byte after Yes";
  const auto asked = driver::TakeShownMessages();
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].text, "文本:abc未找到!是否从头找起?");
  EXPECT_EQ(asked[0].style, 68);
  EXPECT_EQ(asked[0].title, "查找失败");
  EXPECT_EQ(Editor().searchText, "abc");

  driver::TypeText(编辑框1, "xyz");
  driver::AnswerNextMessage(kIdNo);
  EXPECT_EQ(Next(), (std::pair{0, 3})) << "No leaves the selection";
}

TEST_F(Windows, UpwardSearchCoversEveryByteBeforeTheSelection) {
  textView.SetContent("abcabcabc");
  OpenFind();
  driver::TypeText(编辑框1, "abc");
  driver::ClickButton(向上);
  EXPECT_EQ(textView.SelectionStart(), 9) << "向上 puts the caret at the end";
  EXPECT_EQ(textView.SelectionLength(), 0);
  EXPECT_EQ(Next(), (std::pair{6, 3}));
  EXPECT_EQ(Next(), (std::pair{3, 3}));
  EXPECT_EQ(Next(), (std::pair{0, 3}));
  driver::AnswerNextMessage(kIdYes);
  EXPECT_EQ(Next(), (std::pair{6, 3})) << "from the end after Yes";
  driver::ClickButton(向下);
  EXPECT_EQ(textView.SelectionStart(), 6) << "向下 moves nothing";
}

TEST_F(Windows, ATrailByteIsNeverTheStartOfAnOccurrence) {
  textView.SetContent("\xB0\x61\xB0\x61");  // two characters whose trail bytes are "a"
  OpenFind();
  driver::TypeText(编辑框1, "a");
  driver::AnswerNextMessage(kIdNo);
  EXPECT_EQ(Next(), (std::pair{0, 0}));
  EXPECT_EQ(driver::TakeShownMessages().size(), 1u);
}

TEST_F(Windows, TheAboutWindowShowsTheSameTextEachTime) {
  const Text text = Spaces(16) + "Varnel\r\n\r\n" + Spaces(4) +
                    "Varnel是一个用于编辑ini格式的文件编辑器，它能够分析ini格式文件的内部结构，将文件里的各种信息归类、"
                    "分组，显示出它的目录结构，从而可以方便的定位、查找您想要的信息。此外，它不仅可用于ini文件，而且支持任何"
                    "结构与ini文件类似的文本文件。";
  for (int opening = 0; opening < 2; ++opening) {
    driver::ChooseMenu(MainWindow::关于);
    ASSERT_TRUE(AboutWindow::window.IsOpen());
    EXPECT_EQ(AboutWindow::标签1.Caption(), text);
    EXPECT_EQ(AboutWindow::window.Caption(), "关于 Varnel");
    EXPECT_FALSE(driver::ChooseMenu(MainWindow::新建)) << "modal";
    driver::PressEscape(AboutWindow::window);
    driver::Settle();
    EXPECT_FALSE(AboutWindow::window.IsOpen());
  }
  EXPECT_TRUE(driver::ChooseMenu(MainWindow::新建));
}

// With VARNEL_HOLD_MS set, each window stays up for a screenshot.
TEST_F(Windows, ShowsTheFindWindow) {
  textView.SetContent("[网络设置]\r\n服务器=本地\r\n");
  OpenFind();
  driver::TypeText(编辑框1, "服务器");
  driver::ClickButton(查找下一个);
  EXPECT_EQ(textView.SelectionStart(), 12);
  if (const char* hold = std::getenv("VARNEL_HOLD_MS")) driver::KeepShowing(std::atoi(hold));
}

TEST_F(Windows, ShowsTheAboutWindow) {
  driver::ChooseMenu(MainWindow::关于);
  EXPECT_TRUE(AboutWindow::window.IsOpen());
  if (const char* hold = std::getenv("VARNEL_HOLD_MS")) driver::KeepShowing(std::atoi(hold));
}

TEST_F(Windows, TheLinkOpensTheWebSite) {
  driver::ClickButton(MainWindow::超级链接框1);
  EXPECT_EQ(driver::TakeOpenedAddresses(), std::vector<Text>{kWebAddress});
}

}  // namespace
