// Message boxes, the file dialog, the current directory, starting programs
// and opening web addresses.
#include <windows.h>
#include <commdlg.h>
// commdlg.h names its find dialog FindText; ours is the byte search.
#undef FindText
#include <shellapi.h>

#include <algorithm>
#include <vector>

#include "primitives/win32/body.h"
#include "primitives/win32/wide.h"

using namespace win32_body;

namespace {

int ResultOf(int id) {
  switch (id) {
    case IDCANCEL: return kIdCancel;
    case IDABORT: return kIdAbort;
    case IDRETRY: return kIdRetry;
    case IDIGNORE: return kIdIgnore;
    case IDYES: return kIdYes;
    case IDNO: return kIdNo;
    default: return kIdOk;
  }
}

// "desc|pattern|desc|pattern" as the dialog wants it: NUL-separated, twice
// NUL at the end. A bar is found only where it is a whole character.
std::wstring FilterOf(const Text& filter) {
  std::wstring out;
  if (filter.empty()) return out;
  int start = 1;
  while (true) {
    const int bar = FindText(filter, "|", start);
    const int end = bar < 0 ? TextLength(filter) + 1 : bar;
    out += Shown(filter.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(end - start)));
    out.push_back(L'\0');
    if (bar < 0) break;
    start = bar + 1;
  }
  out.push_back(L'\0');
  return out;
}

std::wstring PathOf(const Text& path) {
  std::wstring wide;
  return GbkToWide(path, &wide) ? wide : Shown(path);
}

}  // namespace

int ShowMessage(const Text& text, int style, const Text& title) {
  FlushAllEdits();
  TestHooks& test = TheBody().test;
  test.messagePending = true;
  test.messageStyle = style;
  const std::wstring shownText = Shown(text);
  const std::wstring shownTitle = Shown(title.empty() ? kDefaultMessageTitle : title);
  const int id = MessageBoxW(nullptr, shownText.c_str(), shownTitle.c_str(), static_cast<UINT>(style) | MB_TASKMODAL);
  test.messagePending = false;
  return ResultOf(id);
}

// ---- the file dialog ----

namespace {

ControlRecord* Dialog(WindowId window, int id) { return ControlOf(window, id, ControlType::CommonDlg); }

}  // namespace

int CommonDlg::DialogType() const {
  ControlRecord* c = Dialog(window(), id());
  return c ? c->dialogType : 0;
}
void CommonDlg::SetDialogType(int type) const {
  if (ControlRecord* c = Dialog(window(), id())) c->dialogType = type;
}
Text CommonDlg::Title() const {
  ControlRecord* c = Dialog(window(), id());
  return c ? c->title : Text();
}
void CommonDlg::SetTitle(const Text& title) const {
  if (ControlRecord* c = Dialog(window(), id())) c->title = title;
}
Text CommonDlg::FileName() const {
  ControlRecord* c = Dialog(window(), id());
  return c ? c->fileName : Text();
}
void CommonDlg::SetFileName(const Text& name) const {
  if (ControlRecord* c = Dialog(window(), id())) c->fileName = name;
}
Text CommonDlg::InitialFolder() const {
  ControlRecord* c = Dialog(window(), id());
  return c ? c->initialFolder : Text();
}
void CommonDlg::SetInitialFolder(const Text& folder) const {
  if (ControlRecord* c = Dialog(window(), id())) c->initialFolder = folder;
}
Text CommonDlg::Filter() const {
  ControlRecord* c = Dialog(window(), id());
  return c ? c->filter : Text();
}
void CommonDlg::SetFilter(const Text& filter) const {
  if (ControlRecord* c = Dialog(window(), id())) c->filter = filter;
}

bool CommonDlg::ShowDialog() const {
  ControlRecord* c = Dialog(window(), id());
  if (!c) return false;
  FlushAllEdits();
  const bool save = c->dialogType == 1;
  const std::wstring filter = FilterOf(c->filter);
  const std::wstring title = Shown(c->title);
  const std::wstring folder = PathOf(c->initialFolder);
  std::vector<wchar_t> file(32768, L'\0');
  const std::wstring proposed = PathOf(c->fileName);
  proposed.copy(file.data(), std::min(proposed.size(), file.size() - 1));

  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  WindowRecord* active = WindowOfHandle(GetActiveWindow());
  if (!active) active = FindWindowRecord(window());
  ofn.hwndOwner = active ? active->hwnd : nullptr;
  ofn.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
  // Without OFN_NOCHANGEDIR: a chosen file's folder becomes the current
  // directory. A save dialog must accept a name that does not exist yet.
  ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST |
              (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);

  TestHooks& test = TheBody().test;
  test.dialogPending = true;
  test.dialogType = c->dialogType;
  test.dialogTitle = c->title;
  test.dialogFileName = c->fileName;
  test.dialogInitialFolder = c->initialFolder;
  test.dialogFilter = c->filter;
  const WindowId owner = window();
  const int control = id();
  const BOOL chosen = save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
  test.dialogPending = false;
  if (!chosen) return false;

  Text path;
  if (!WideToGbk(file.data(), &path)) {
    // Never approximated: another name could open or overwrite another file.
    ShowMessage("所选文件的路径中有GBK编码无法表示的字符，不能使用这个文件。", kMbIconInformation, "失败");
    return false;
  }
  if (ControlRecord* now = Dialog(owner, control)) now->fileName = path;
  return true;
}

Text CurrentDirectory() {
  const DWORD size = GetCurrentDirectoryW(0, nullptr);
  if (size == 0) return Text();
  std::wstring wide(size, L'\0');
  const DWORD got = GetCurrentDirectoryW(size, wide.data());
  if (got == 0 || got >= size) return Text();
  wide.resize(got);
  Text path;
  if (!WideToGbk(wide, &path) || TextLength(path) > 260) return Text();
  return path;
}

bool RunProgram(const Text& commandLine, bool wait, int windowMode) {
  TestHooks& test = TheBody().test;
  if (test.active) {
    test.startedPrograms.push_back(commandLine);
    return true;
  }
  std::wstring command;
  if (!GbkToWide(commandLine, &command) || command.empty()) return false;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(windowMode >= 0 && windowMode <= SW_MAX ? windowMode : SW_SHOWNORMAL);
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    return false;
  }
  WaitForInputIdle(process.hProcess, 1000);
  if (wait) WaitForSingleObject(process.hProcess, INFINITE);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

bool OpenWebAddress(const Text& address) {
  TestHooks& test = TheBody().test;
  if (test.active) {
    test.openedAddresses.push_back(address);
    return true;
  }
  std::wstring wide;
  if (!GbkToWide(address, &wide)) return false;
  const auto result = reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, L"open", wide.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  return result > 32;
}
