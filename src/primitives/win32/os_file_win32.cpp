// Win32 file calls: wide paths converted from GBK with code page 936, and
// every sharing mode allowed so other programs may go on using the file.
#include <windows.h>

#include "primitives/os_file.h"
#include "primitives/textfile.h"
#include "primitives/win32/wide.h"

namespace os_file {

namespace {

HANDLE AsHandle(Native file) { return reinterpret_cast<HANDLE>(file); }

// The full form of a path; empty when there is none. ReplaceFileW is given
// full paths: Wine's refuses relative ones (ERROR_DIRECTORY).
std::wstring FullPath(const std::wstring& path) {
  const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (size == 0) return std::wstring();
  std::wstring full(size, L'\0');
  const DWORD length = GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
  if (length == 0 || length >= size) return std::wstring();
  full.resize(length);
  return full;
}

}  // namespace

bool Open(const Text& name, int mode, Native* file) {
  DWORD access = 0;
  DWORD disposition = 0;
  switch (mode) {
    case kReadOnly: access = GENERIC_READ; disposition = OPEN_EXISTING; break;
    case kReadWrite: access = GENERIC_READ | GENERIC_WRITE; disposition = OPEN_EXISTING; break;
    case kCreate: access = GENERIC_WRITE; disposition = CREATE_ALWAYS; break;
    case kCreateNew: access = GENERIC_WRITE; disposition = CREATE_NEW; break;
    default: return false;
  }
  std::wstring path;
  if (!GbkToWide(name, &path)) return false;
  // Windows refuses write access to a read-only file itself; saying so here
  // as well keeps the rule where the file system would let an administrator
  // through (as Wine does for root).
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (mode != kReadOnly && attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
    return false;
  }
  const HANDLE handle = CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(handle, &info) || (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
    CloseHandle(handle);
    return false;
  }
  *file = reinterpret_cast<Native>(handle);
  return true;
}

std::int64_t Read(Native file, char* buffer, std::size_t size) {
  DWORD got = 0;
  const DWORD want = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
  if (!ReadFile(AsHandle(file), buffer, want, &got, nullptr)) return -1;
  return static_cast<std::int64_t>(got);
}

bool Write(Native file, const char* data, std::size_t size) {
  while (size > 0) {
    const DWORD want = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
    DWORD put = 0;
    if (!WriteFile(AsHandle(file), data, want, &put, nullptr) || put == 0) return false;
    data += put;
    size -= put;
  }
  return true;
}

bool Seek(Native file, std::int64_t offset) {
  LARGE_INTEGER to;
  to.QuadPart = offset;
  return SetFilePointerEx(AsHandle(file), to, nullptr, FILE_BEGIN) != 0;
}

std::int64_t Size(Native file) {
  LARGE_INTEGER size;
  return GetFileSizeEx(AsHandle(file), &size) ? static_cast<std::int64_t>(size.QuadPart) : -1;
}

bool Flush(Native file) { return FlushFileBuffers(AsHandle(file)) != 0; }

void Close(Native file) { CloseHandle(AsHandle(file)); }

bool Replace(const Text& from, const Text& to) {
  std::wstring source;
  std::wstring target;
  if (!GbkToWide(from, &source) || !GbkToWide(to, &target)) return false;
  source = FullPath(source);
  target = FullPath(target);
  if (source.empty() || target.empty()) return false;
  if (GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES) {
    // Keeps the replaced file's attributes, security and creation time.
    return ReplaceFileW(target.c_str(), source.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                        nullptr) != 0;
  }
  return MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH) != 0;
}

bool Remove(const Text& name) {
  std::wstring path;
  return GbkToWide(name, &path) && DeleteFileW(path.c_str()) != 0;
}

bool Exists(const Text& name) {
  std::wstring path;
  return GbkToWide(name, &path) && GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool IsProtected(const Text& name) {
  std::wstring path;
  if (!GbkToWide(name, &path)) return false;
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES &&
         (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE));
}

}  // namespace os_file
