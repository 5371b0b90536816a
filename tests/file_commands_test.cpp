// The file commands, start-up and shutdown on both bodies, through the
// menus, shortcuts, toolbar and close box, with the message boxes and file
// dialogs answered by the driver.
#include <gtest/gtest.h>

#include "editor/editor_state.h"
#include "editor/file_commands.h"
#include "editor/window_ids.h"
#include "forms/forms.h"
#include "primitives/driver.h"
#include "primitives/textfile.h"
#include "main_window_fixture.h"
#include "scratch_folder.h"

namespace {

using namespace MainWindow;

const Text kFormCaption = MainWindowForm().caption;
const Text kPrompt = "\r\n已被修改,是否保存更改?";

class FileCommands : public MainWindowFixture {
 protected:
  void TearDown() override {
    InjectFileFault(FileStep::Open, 0);
    MainWindowFixture::TearDown();
  }

  static std::vector<Text> Log() {
    std::vector<Text> entries;
    for (int i = 0; i < 列表框2.ListItemCount(); ++i) entries.push_back(列表框2.GetListItemText(i));
    return entries;
  }
  static std::vector<Text> Rows() {
    std::vector<Text> rows;
    for (int i = 0; i < 超级列表框1.RowCount(); ++i) rows.push_back(超级列表框1.GetCellText(i, 0));
    return rows;
  }
  // What a failed command must leave alone.
  struct Snapshot {
    Text title, path, target;
    std::vector<Text> rows, log;
    int modified, loaded;
    bool operator==(const Snapshot&) const = default;
    friend void PrintTo(const Snapshot& s, std::ostream* out) {
      *out << "title " << testing::PrintToString(s.title) << ", path " << testing::PrintToString(s.path)
           << ", target " << testing::PrintToString(s.target) << ", " << s.rows.size() << " rows, "
           << s.log.size() << " log entries, modified " << s.modified << ", " << s.loaded << " loaded lines";
    }
  };
  static Snapshot Take() {
    return {window.Caption(),  Editor().filePath, 编辑框1.Content(), Rows(), Log(), Editor().modified,
            Editor().loadedLines.Count()};
  }
  // keep.ini opened and changed, not saved yet: what a failing save meets.
  Text OpenChangedDocument() {
    const Text path = scratch.Fixture("keep.ini", "[a]\nx=1\n");
    OpenFile(path);
    编辑框1.SetContent("[changed]\r\n");
    Editor().modified = 1;
    return path;
  }
  struct Fault {
    const char* name;
    FileStep step;
  };

  ScratchFolder scratch;
};

std::vector<bool> MenuStates() {
  std::vector<bool> disabled;
  for (const MenuItem& item : {新建, 打开, 用记事本打开, 保存, 另存为, 退出, 向上插入项, 向下插入项, 编辑选定项,
                               恢复当前编辑项, 恢复所有编辑项, 恢复到最初, 删除选定项, 查找, 提取所有, 提取钩选项,
                               提取目录树, 关于}) {
    disabled.push_back(item.Disabled());
  }
  return disabled;
}
std::vector<bool> ToolbarStates() {
  std::vector<bool> enabled;
  for (int p : {0, 1, 2, 3, 5, 6, 7, 9}) enabled.push_back(工具条1.ButtonEnabled(p));
  return enabled;
}
// Only New, Open, Exit, insert below and About; toolbar 0 and 1.
const std::vector<bool> kIdleMenus = {false, false, true, true, true, false, true, false, true,
                                      true,  true,  true, true, true, true,  true, true,  false};
const std::vector<bool> kIdleToolbar = {true, true, false, false, false, false, false, false};

TEST_F(FileCommands, StartUpAndNewLeaveOnlyTheIdleCommands) {
  EXPECT_EQ(window.Caption(), kFormCaption);
  EXPECT_EQ(MenuStates(), kIdleMenus);
  EXPECT_EQ(ToolbarStates(), kIdleToolbar);
  EXPECT_EQ(Editor().filePath, "");

  const Text path = scratch.Fixture("a.ini", "[a]\r\nx=1\r\n");
  OpenFile(path);
  EXPECT_EQ(window.Caption(), "Varnel-" + path);
  EXPECT_FALSE(查找.Disabled());
  EXPECT_FALSE(工具条1.ButtonEnabled(2)) << "save waits for an edit";
  EXPECT_TRUE(工具条1.ButtonEnabled(9));

  driver::PressShortcut(kMainWindow, 'N');
  EXPECT_EQ(window.Caption(), "Varnel1.0 - 无标题");
  EXPECT_EQ(Editor().filePath, "无标题");
  EXPECT_EQ(MenuStates(), kIdleMenus);
  EXPECT_EQ(ToolbarStates(), kIdleToolbar);
  EXPECT_EQ(Rows(), std::vector<Text>{});
  EXPECT_EQ(Editor().loadedLines.Count(), 0);
  EXPECT_EQ(Log(), (std::vector<Text>{"1:打开文本" + path + "\r\n", "2:新建文本-无标题\r\n"}));
  EXPECT_EQ(状态条1.PartText(1), "新建文件");

  driver::PressShortcut(kMainWindow, 'F');
  EXPECT_FALSE(SearchWindow::window.IsOpen()) << "find is disabled again";
}

struct RoundTrip {
  const char* name;
  std::string bytes;
  std::string saved;
  bool warned;  // reading stopped early at a NUL or 0x1A byte
};

const RoundTrip kRoundTrips[] = {
    {"LF-only lines", "[a]\nx=1\n", "[a]\r\nx=1\r\n", false},
    {"a last line without a break", "[a]\r\nx=1", "[a]\r\nx=1\r\n", false},
    {"CR CR LF keeps one CR", "k=v\r\r\n", "k=v\r\r\n", false},
    {"a lone CR stays in the line", "a\rb\r\n", "a\rb\r\n", false},
    {"a NUL ends the text", std::string("[a]\r\nk=1\r\nx\0y\r\nlost\r\n", 21), "[a]\r\nk=1\r\nx\r\n", true},
    {"0x1A ends the text", "k=1\r\n\x1A" "after", "k=1\r\n", true},
    {"invalid GBK and trail bytes 0x5D", "\xFF\x80\r\nname=\xA1\x5D\r\n\xB0", "\xFF\x80\r\nname=\xA1\x5D\r\n\xB0\r\n",
     false},
    {"a line of 100,000 bytes", std::string(100000, 'x') + "\n", std::string(100000, 'x') + "\r\n", false},
    {"an empty file", "", "", false},
};

TEST_F(FileCommands, OpenThenSaveWritesTheLinesWithCrLf) {
  int entry = 0;
  for (const RoundTrip& c : kRoundTrips) {
    SCOPED_TRACE(c.name);
    const Text path = scratch.Fixture("round.ini", c.bytes);
    if (c.warned) driver::AnswerNextMessage(kIdOk);
    OpenFile(path);
    const auto shown = driver::TakeShownMessages();
    ASSERT_EQ(shown.size(), c.warned ? 1u : 0u);
    if (c.warned) {
      EXPECT_EQ(shown[0].text, "文件中含有结束符(NUL或0x1A),只载入了其前面的内容,保存将丢失其后的内容!");
      EXPECT_EQ(shown[0].style, 48);
      EXPECT_EQ(shown[0].title, "警告");
    }
    EXPECT_EQ(ScratchFolder::Contents(path), c.bytes) << "opening changes nothing on disk";
    // Ctrl+S, 保存(&S) and toolbar position 2 are one procedure; the
    // shortcut is the one enabled right after Open.
    driver::PressShortcut(kMainWindow, 'S');
    EXPECT_EQ(ScratchFolder::Contents(path), c.saved);
    EXPECT_EQ(window.Caption(), "Varnel1.0-" + path);
    entry += 2;
    EXPECT_EQ(列表框2.GetListItemText(entry - 1), ToText(entry) + ":保存文本" + path + "\r\n");
    EXPECT_EQ(scratch.Names(), std::vector<std::string>{"round.ini"}) << "no temporary file left";
  }
}

TEST_F(FileCommands, SavePromptForNewOpenExitAndClosing) {
  const Text first = scratch.Fixture("first.ini", "[a]\r\n");
  const Text second = scratch.Fixture("second.ini", "[b]\r\n");
  OpenFile(first);
  driver::TakeShownDialogs();
  Editor().modified = 1;

  // Cancel: nothing happens, and Open shows no file dialog.
  const Snapshot before = Take();
  driver::AnswerNextMessage(kIdCancel);
  driver::ChooseMenu(打开);
  driver::AnswerNextMessage(kIdCancel);
  driver::ChooseMenu(新建);
  driver::AnswerNextMessage(kIdCancel);
  driver::ClickCloseBox(kMainWindow);
  driver::Settle();
  EXPECT_TRUE(window.IsOpen());
  EXPECT_EQ(Take(), before);
  EXPECT_TRUE(driver::TakeShownDialogs().empty());
  const auto asked = driver::TakeShownMessages();
  ASSERT_EQ(asked.size(), 3u);
  for (const auto& m : asked) {
    EXPECT_EQ(m.text, "文件" + first + kPrompt);
    EXPECT_EQ(m.style, 3);
    EXPECT_EQ(m.title, "询问");
  }

  // No: the next file opens unsaved work and all, with modified 0.
  driver::AnswerNextMessage(kIdNo);
  OpenFile(second);
  EXPECT_EQ(Editor().filePath, second);
  EXPECT_EQ(Editor().modified, 0);
  EXPECT_EQ(ScratchFolder::Contents(first), "[a]\r\n");
  driver::TakeShownDialogs();
  driver::TakeShownMessages();

  // Yes on an untitled document proposes 无标题; cancelling that dialog
  // cancels the New that asked.
  driver::ChooseMenu(新建);
  Editor().modified = 1;
  driver::AnswerNextMessage(kIdYes);
  driver::CancelNextDialog();
  driver::ChooseMenu(新建);
  const auto dialogs = driver::TakeShownDialogs();
  ASSERT_EQ(dialogs.size(), 1u);
  EXPECT_EQ(dialogs[0].type, 1);
  EXPECT_EQ(dialogs[0].title, "保存");
  EXPECT_EQ(dialogs[0].fileName, "无标题");
  EXPECT_EQ(Editor().modified, 1) << "the New did not go on";
  EXPECT_EQ(driver::TakeShownMessages().size(), 1u);

  // The same for the close box: the window stays open.
  driver::AnswerNextMessage(kIdYes);
  driver::CancelNextDialog();
  driver::ClickCloseBox(kMainWindow);
  driver::Settle();
  EXPECT_TRUE(window.IsOpen());

  // Exit with No closes without asking a second time.
  driver::TakeShownMessages();
  driver::AnswerNextMessage(kIdNo);
  driver::ChooseMenu(退出);
  driver::Settle();
  EXPECT_FALSE(window.IsOpen());
  EXPECT_EQ(driver::TakeShownMessages().size(), 1u);
}

TEST_F(FileCommands, ClosingWithoutChangesAsksNothing) {
  driver::ClickCloseBox(kMainWindow);
  driver::Settle();
  EXPECT_FALSE(window.IsOpen());
  EXPECT_TRUE(driver::TakeShownMessages().empty());
}

TEST_F(FileCommands, SaveBeforeAnyDocumentFailsAndSaveAsWorks) {
  driver::AnswerNextMessage(kIdOk);
  EXPECT_FALSE(SaveDocument(Text()));
  const auto shown = driver::TakeShownMessages();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, "保存文件失败");
  EXPECT_EQ(shown[0].style, 64);
  EXPECT_EQ(shown[0].title, "失败");
  EXPECT_EQ(window.Caption(), kFormCaption);

  编辑框1.SetContent("[新]\r\n");
  const Text path = scratch.PathOf("saved-as.ini");
  driver::AnswerNextDialog(path);
  driver::ChooseMenu(另存为);  // disabled at start-up: nothing happens
  EXPECT_TRUE(driver::TakeShownDialogs().empty());
  SaveDocumentAs();  // the dialog answer queued above
  EXPECT_EQ(ScratchFolder::Contents(path), "[新]\r\n");
  EXPECT_EQ(window.Caption(), "Varnel1.0-" + path);
  EXPECT_EQ(Log(), std::vector<Text>{"1:保存文本" + path + "\r\n"});
  const auto dialogs = driver::TakeShownDialogs();
  ASSERT_EQ(dialogs.size(), 1u);
  EXPECT_EQ(dialogs[0].title, "另存为");
}

TEST_F(FileCommands, NotepadGetsTheUnquotedPath) {
  driver::ChooseMenu(新建);
  OpenInNotepad();  // the menu item is disabled for an untitled document
  const Text path = scratch.Fixture("with space.ini", "k=v\r\n");
  OpenFile(path);
  driver::ChooseMenu(用记事本打开);
  EXPECT_EQ(driver::TakeStartedPrograms(),
            (std::vector<Text>{"c:\\windows\\notepad.exe 无标题", "c:\\windows\\notepad.exe " + path}));
}

TEST_F(FileCommands, AFileThatCannotBeReadChangesNothing) {
  const Text path = scratch.Fixture("a.ini", "[a]\r\nx=1\r\n");
  OpenFile(path);
  Editor().modified = 1;
  const Snapshot before = Take();
  const Text other = scratch.Fixture("b.ini", "[b]\r\n");
  for (FileStep step : {FileStep::Open, FileStep::Read}) {
    SCOPED_TRACE(step == FileStep::Open ? "open fails" : "read fails");
    InjectFileFault(step);
    driver::AnswerNextMessage(kIdNo);  // the save prompt
    driver::AnswerNextMessage(kIdOk);
    OpenFile(other);
    const auto shown = driver::TakeShownMessages();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1].text, "打开文件失败！");
    EXPECT_EQ(shown[1].style, 64);
    EXPECT_EQ(shown[1].title, "失败");
    EXPECT_EQ(Take(), before);
  }
  // A read-only file opens with its content.
  const Text readOnly = scratch.Fixture("ro.ini", "[ro]\r\nk=v\r\n");
  ScratchFolder::MakeReadOnly(readOnly);
  driver::AnswerNextMessage(kIdNo);
  OpenFile(readOnly);
  EXPECT_EQ(Rows(), (std::vector<Text>{"[ro]", "k=v"}));
}

TEST_F(FileCommands, AFailedSaveLeavesTheFileAndTheDocumentAsTheyWere) {
  const Text path = OpenChangedDocument();
  const Snapshot before = Take();
  for (const Fault& f : {Fault{"write (disk full)", FileStep::Write}, Fault{"flush", FileStep::Flush},
                         Fault{"replace (target locked)", FileStep::Replace}, Fault{"create the temporary file", FileStep::Open}}) {
    SCOPED_TRACE(f.name);
    InjectFileFault(f.step);
    driver::AnswerNextMessage(kIdOk);
    driver::PressShortcut(kMainWindow, 'S');
    EXPECT_EQ(driver::TakeShownMessages().size(), 1u);
    EXPECT_EQ(ScratchFolder::Contents(path), "[a]\nx=1\n");
    EXPECT_EQ(scratch.Names(), std::vector<std::string>{"keep.ini"});
    EXPECT_EQ(Take(), before);
  }
  // A read-only target is not replaced either.
  ScratchFolder::MakeReadOnly(path);
  driver::AnswerNextMessage(kIdOk);
  driver::PressShortcut(kMainWindow, 'S');
  EXPECT_EQ(ScratchFolder::Contents(path), "[a]\nx=1\n");
  EXPECT_EQ(Take(), before);
  // The prompt's Yes does not go on after a failed save.
  driver::AnswerNextMessage(kIdYes);
  driver::AnswerNextMessage(kIdOk);
  driver::ChooseMenu(新建);
  EXPECT_EQ(Take(), before);
}

TEST_F(FileCommands, AFailedSaveWhoseTemporaryFileCannotBeRemovedLosesNothing) {
  const Text path = OpenChangedDocument();
  const Snapshot before = Take();
  std::size_t leftovers = 0;
  for (const Fault& f : {Fault{"write", FileStep::Write}, Fault{"flush", FileStep::Flush},
                         Fault{"replace", FileStep::Replace}}) {
    SCOPED_TRACE(f.name);
    InjectFileFault(f.step);
    InjectFileFault(FileStep::Remove);
    driver::AnswerNextMessage(kIdOk);
    driver::PressShortcut(kMainWindow, 'S');
    const auto shown = driver::TakeShownMessages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "保存文件失败");
    EXPECT_EQ(ScratchFolder::Contents(path), "[a]\nx=1\n");
    EXPECT_EQ(Take(), before);
    EXPECT_EQ(scratch.Names().size(), 1 + ++leftovers) << "only the temporary file stays behind";
  }
  // Left-over temporary files do not stand in the way of the next save.
  driver::PressShortcut(kMainWindow, 'S');
  EXPECT_EQ(ScratchFolder::Contents(path), "[changed]\r\n");
  EXPECT_EQ(Editor().modified, 0);
  EXPECT_EQ(scratch.Names().size(), 1 + leftovers);
}

TEST_F(FileCommands, AReplacementThatLosesTheOldFileKeepsTheNewContent) {
  const Text path = OpenChangedDocument();
  // The new content still takes the name: saved after all.
  InjectFileFault(FileStep::HalfReplace);
  driver::PressShortcut(kMainWindow, 'S');
  EXPECT_EQ(ScratchFolder::Contents(path), "[changed]\r\n");
  EXPECT_EQ(scratch.Names(), std::vector<std::string>{"keep.ini"});
  EXPECT_EQ(Editor().modified, 0);

  // It cannot: the temporary file, now the only copy on disk, stays.
  编辑框1.SetContent("[again]\r\n");
  Editor().modified = 1;
  const Snapshot before = Take();
  InjectFileFault(FileStep::HalfReplace);
  InjectFileFault(FileStep::Replace, 2);  // the second attempt
  driver::AnswerNextMessage(kIdOk);
  driver::PressShortcut(kMainWindow, 'S');
  const auto shown = driver::TakeShownMessages();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, "保存文件失败");
  EXPECT_EQ(Take(), before);
  const auto names = scratch.Names();
  ASSERT_EQ(names.size(), 1u);
  EXPECT_NE(names[0], "keep.ini");
  EXPECT_EQ(ScratchFolder::Contents(scratch.PathOf(names[0])), "[again]\r\n");
}

TEST_F(FileCommands, APathThePlatformCannotRepresentIsNotWritten) {
#ifndef _WIN32
  GTEST_SKIP() << "POSIX names are bytes: every path is representable there";
#endif
  编辑框1.SetContent("k=v\r\n");
  driver::AnswerNextMessage(kIdOk);
  EXPECT_FALSE(SaveDocument(scratch.PathOf("\xFF.ini")));  // a lone lead byte is no GBK
  const auto shown = driver::TakeShownMessages();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, "保存文件失败");
  EXPECT_TRUE(scratch.Names().empty());
}

TEST_F(FileCommands, ToolbarPositionTwoSavesTheDocument) {
  const Text path = scratch.Fixture("tool.ini", "k=v\n");
  OpenFile(path);
  工具条1.SetButtonEnabled(2, true);  // the editing commands enable it
  driver::ClickToolButton(工具条1, 2);
  EXPECT_EQ(ScratchFolder::Contents(path), "k=v\r\n");
}

}  // namespace
