#include "editor/file_commands.h"

#include "editor/analysis.h"
#include "editor/editor_state.h"
#include "editor/lifecycle.h"
#include "editor/log.h"
#include "editor/window_ids.h"
#include "primitives/textfile.h"

namespace {

using namespace MainWindow;

const Text kFailureTitle = "失败";
const Text kOpenFailed = "打开文件失败！";
const Text kSaveFailed = "保存文件失败";
// Beyond this a file's lines could not all be kept anyway.
constexpr std::int64_t kMostReserved = std::int64_t{1} << 32;

// A file's lines, read whole before any view is touched, so that a file
// that cannot be read leaves the open document as it was.
struct ReadFile {
  bool ok = false;
  bool cutShort = false;  // reading stopped at a NUL or 0x1A byte
  TextColumn lines;
};

ReadFile ReadWholeFile(const Text& path) {
  ReadFile file;
  // Reading needs read access only: a read-only file opens with its content.
  const FileHandle handle = OpenTextFile(path, kReadOnly);
  if (handle == 0) return file;
  SeekToStart(handle);
  // The lines and their line ends take the file's bytes, and a little more
  // where lines end in a line feed alone: one buffer, mostly never moved as
  // it grows. What a file that grows meanwhile adds is still read.
  const std::int64_t size = TextFileSize(handle);
  if (size > 0 && size <= kMostReserved) file.lines.ReserveBytes(static_cast<std::size_t>(size + size / 8));
  Text line;
  while (!AtEndOfFile(handle)) {
    ReadLine(handle, &line);
    // "\r\n" after each line, as the views join them: their joins then
    // copy runs of unchanged lines at once.
    file.lines.AppendFollowedBy(line, "\r\n");
  }
  const ReadingStop stop = HowReadingStops(handle);
  CloseTextFile(handle);
  file.ok = !stop.readFailed;
  file.cutShort = stop.endMarkOffset >= 0;
  return file;
}

void ClearViews() {
  树型框1.ClearTree();
  编辑框1.SetContent(Text());
  超级列表框1.DeleteAllRows();
}

void EnableDocumentCommands() {
  for (const MenuItem& item : {用记事本打开, 保存, 另存为, 查找, 提取所有, 提取钩选项, 提取目录树}) {
    item.SetDisabled(false);
  }
  for (int position : {3, 5, 6, 7, 9}) 工具条1.SetButtonEnabled(position, true);
}

}  // namespace

bool AskToSaveChanges() {
  EditorState& state = Editor();
  if (state.modified != 1) return true;
  const int answer =
      ShowMessage("文件" + state.filePath + "\r\n已被修改,是否保存更改?", kMbYesNoCancel, "询问");
  if (answer == kIdYes) return SaveDocument(Text());
  return answer == kIdNo;
}

void NewDocument() {
  EditorState& state = Editor();
  if (state.modified != 0 && !AskToSaveChanges()) return;
  state.loadedLines.Clear();
  window.SetCaption(kTitleAfterNew);
  state.filePath = kUntitled;
  ClearViews();
  AppendLog(":新建文本-无标题\r\n");
  SetStatusText(1, "新建文件");
  state.modified = 0;
  ApplyIdleCommandState();
}

void OpenDocument() {
  if (!AskToSaveChanges()) return;
  通用对话框1.SetDialogType(0);
  通用对话框1.SetTitle("打开文件");
  通用对话框1.SetInitialFolder(CurrentDirectory());
  if (!通用对话框1.ShowDialog()) {
    ShowMessage(kOpenFailed, kMbIconInformation, kFailureTitle);
    return;
  }
  const Text path = 通用对话框1.FileName();
  ReadFile file = ReadWholeFile(path);
  if (!file.ok) {
    // Gone since the dialog, locked, unreadable part-way, or a name the
    // platform cannot represent: the open document stays as it was.
    ShowMessage(kOpenFailed, kMbIconInformation, kFailureTitle);
    return;
  }
  EditorState& state = Editor();
  state.filePath = path;
  ClearViews();
  window.SetCaption(kTitleAfterOpen + state.filePath);
  state.modified = 0;
  state.loadedLines.Clear();
  AnalyseLines(std::move(file.lines));
  AppendLog(":打开文本" + state.filePath + "\r\n");
  EnableDocumentCommands();
  SetStatusText(1, "打开文件");
  if (file.cutShort) {
    ShowMessage("文件中含有结束符(NUL或0x1A),只载入了其前面的内容,保存将丢失其后的内容!", kMbIconExclamation,
                "警告");
  }
}

bool SaveDocument(const Text& target) {
  EditorState& state = Editor();
  Text path = target.empty() ? state.filePath : target;
  if (path == kUntitled) {
    通用对话框1.SetTitle("保存");
    通用对话框1.SetDialogType(1);
    通用对话框1.SetFileName(kUntitled);
    if (!通用对话框1.ShowDialog()) return false;
    path = 通用对话框1.FileName();
  }
  // The file on disk is replaced in one step, or left exactly as it was.
  if (!ReplaceFileContent(path, 编辑框1.Content())) {
    ShowMessage(kSaveFailed, kMbIconInformation, kFailureTitle);
    return false;
  }
  state.filePath = path;
  window.SetCaption(kTitleAfterSave + state.filePath);
  state.modified = 0;
  AppendLog(":保存文本" + state.filePath + "\r\n");
  SetStatusText(1, "保存文件");
  return true;
}

bool SaveOwnFile() { return SaveDocument(Text()); }

void SaveDocumentAs() {
  通用对话框1.SetTitle("另存为");
  通用对话框1.SetDialogType(1);
  if (!通用对话框1.ShowDialog()) return;
  SaveDocument(通用对话框1.FileName());
}

void OpenInNotepad() { RunProgram("c:\\windows\\notepad.exe " + Editor().filePath); }
