// POSIX file calls for the native build.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "primitives/os_file.h"
#include "primitives/textfile.h"

namespace os_file {

namespace {

// Windows refuses write access to a file with the read-only attribute, also
// to administrators. Here a file without any write permission bit plays that
// part, checked by hand because root would be let through.
bool IsReadOnlyFile(const Text& name) {
  struct stat info {};
  return stat(name.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
         (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

}  // namespace

bool Open(const Text& name, int mode, Native* file) {
  int flags = 0;
  switch (mode) {
    case kReadOnly: flags = O_RDONLY; break;
    case kReadWrite: flags = O_RDWR; break;
    case kCreate: flags = O_WRONLY | O_CREAT | O_TRUNC; break;
    case kCreateNew: flags = O_WRONLY | O_CREAT | O_EXCL; break;
    default: return false;
  }
  if (mode != kReadOnly && IsReadOnlyFile(name)) return false;
  const int fd = ::open(name.c_str(), flags | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  struct stat info {};
  if (fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
    ::close(fd);
    return false;
  }
  *file = fd;
  return true;
}

std::int64_t Read(Native file, char* buffer, std::size_t size) {
  while (true) {
    const ssize_t got = ::read(static_cast<int>(file), buffer, size);
    if (got >= 0) return got;
    if (errno != EINTR) return -1;
  }
}

bool Write(Native file, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t put = ::write(static_cast<int>(file), data, size);
    if (put < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (put == 0) return false;
    data += put;
    size -= static_cast<std::size_t>(put);
  }
  return true;
}

bool Seek(Native file, std::int64_t offset) {
  return ::lseek(static_cast<int>(file), static_cast<off_t>(offset), SEEK_SET) == offset;
}

std::int64_t Size(Native file) {
  struct stat info {};
  return fstat(static_cast<int>(file), &info) == 0 ? static_cast<std::int64_t>(info.st_size) : -1;
}

bool Flush(Native file) { return ::fsync(static_cast<int>(file)) == 0; }

void Close(Native file) { ::close(static_cast<int>(file)); }

bool Replace(const Text& from, const Text& to) {
  struct stat old {};
  if (::stat(to.c_str(), &old) == 0 && ::chmod(from.c_str(), old.st_mode & 07777) != 0) return false;
  return ::rename(from.c_str(), to.c_str()) == 0;
}

bool Remove(const Text& name) { return ::unlink(name.c_str()) == 0; }

bool Exists(const Text& name) {
  struct stat info {};
  return ::lstat(name.c_str(), &info) == 0;
}

bool IsProtected(const Text& name) {
  struct stat info {};
  if (::stat(name.c_str(), &info) != 0) return false;
  return !S_ISREG(info.st_mode) || IsReadOnlyFile(name);
}

}  // namespace os_file
