#include "primitives/textfile.h"

#include <array>
#include <memory>
#include <vector>

#include "primitives/os_file.h"

namespace {

// Lines are scanned in 512-byte steps as the format defines them, but the
// platform is asked for larger chunks: the result is the same, and a big
// file then costs far fewer system calls.
constexpr std::size_t kChunkSize = 64 * 1024;

constexpr char kLineFeed = '\n';
constexpr char kReturn = '\r';
constexpr char kEndOfText = 0x1A;

bool IsLeadByte(char b) { return static_cast<unsigned char>(b) >= 0x80; }
bool EndsText(char b) { return b == '\0' || b == kEndOfText; }

// Pending injected faults, one countdown per kind of call (0: none).
std::array<int, kFileSteps>& PendingFaults() {
  static std::array<int, kFileSteps> countdowns{};
  return countdowns;
}

// True when this call of `step` is the one to fail.
bool Injected(FileStep step) {
  int& countdown = PendingFaults()[static_cast<std::size_t>(step)];
  if (countdown == 0) return false;
  return --countdown == 0;
}

bool Open(const Text& name, int mode, os_file::Native* file) {
  return !Injected(FileStep::Open) && os_file::Open(name, mode, file);
}
std::int64_t Read(os_file::Native file, char* buffer, std::size_t size) {
  return Injected(FileStep::Read) ? -1 : os_file::Read(file, buffer, size);
}
bool Write(os_file::Native file, const char* data, std::size_t size) {
  return !Injected(FileStep::Write) && os_file::Write(file, data, size);
}

// One open file: the platform file, the logical position, and the bytes read
// ahead from the position. The platform's own position is always the end of
// the read-ahead bytes.
struct OpenFile {
  os_file::Native native = 0;
  std::int64_t position = 0;
  std::vector<char> ahead;  // bytes from `position` on
  std::size_t aheadStart = 0;  // index in `ahead` of the byte at `position`
  bool failed = false;  // a read failed; the position is at the end until a seek

  std::size_t Buffered() const { return ahead.size() - aheadStart; }
  const char* At(std::size_t i) const { return ahead.data() + aheadStart + i; }

  void Consume(std::size_t n) {
    aheadStart += n;
    position += static_cast<std::int64_t>(n);
  }

  // Reads one more chunk behind the buffered bytes. Returns the number of
  // bytes added, 0 at the end of the file, -1 on an error.
  std::int64_t Fill() {
    if (aheadStart > 0) {
      ahead.erase(ahead.begin(), ahead.begin() + static_cast<std::ptrdiff_t>(aheadStart));
      aheadStart = 0;
    }
    const std::size_t old = ahead.size();
    ahead.resize(old + kChunkSize);
    const std::int64_t got = Read(native, ahead.data() + old, kChunkSize);
    ahead.resize(old + static_cast<std::size_t>(got > 0 ? got : 0));
    return got;
  }

  // Drops the read-ahead and puts the platform position back on `position`.
  bool Resync() {
    ahead.clear();
    aheadStart = 0;
    return os_file::Seek(native, position);
  }

  void FailRead() {
    ahead.clear();
    aheadStart = 0;
    const std::int64_t size = os_file::Size(native);
    if (size >= 0) position = size;
    failed = true;
  }
};

std::vector<std::unique_ptr<OpenFile>>& Files() {
  static std::vector<std::unique_ptr<OpenFile>> files;
  return files;
}

OpenFile* Find(FileHandle handle) {
  auto& files = Files();
  if (handle < 1 || static_cast<std::size_t>(handle) > files.size()) return nullptr;
  return files[static_cast<std::size_t>(handle) - 1].get();
}

}  // namespace

FileHandle OpenTextFile(const Text& name, int mode) {
  if (name.empty() || name.find('\0') != Text::npos) return 0;
  if (mode != kReadOnly && mode != kReadWrite && mode != kCreate) return 0;
  auto file = std::make_unique<OpenFile>();
  if (!Open(name, mode, &file->native)) return 0;
  auto& files = Files();
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (!files[i]) {
      files[i] = std::move(file);
      return static_cast<FileHandle>(i + 1);
    }
  }
  files.push_back(std::move(file));
  return static_cast<FileHandle>(files.size());
}

std::int64_t TextFileSize(FileHandle handle) {
  OpenFile* file = Find(handle);
  return file ? os_file::Size(file->native) : -1;
}

bool SeekToStart(FileHandle handle) {
  OpenFile* file = Find(handle);
  if (!file) return false;
  file->position = 0;
  file->failed = false;
  return file->Resync();
}

Text ReadLine(FileHandle handle) {
  Text line;
  ReadLine(handle, &line);
  return line;
}

void ReadLine(FileHandle handle, Text* into) {
  Text& line = *into;
  line.clear();
  OpenFile* file = Find(handle);
  if (!file || file->failed) return;
  std::size_t i = 0;  // scan offset from the position
  bool atEnd = false;  // no bytes follow the buffered ones
  while (true) {
    if (!atEnd && i + 1 >= file->Buffered()) {
      // The next byte, or the trail byte of a lead byte at the end of the
      // buffer, is not there yet: keep the scanned bytes and read on.
      line.append(file->At(0), i);
      file->Consume(i);
      i = 0;
      const std::int64_t got = file->Fill();
      if (got < 0) {
        file->FailRead();
        line.clear();
        return;
      }
      atEnd = got == 0;
      continue;
    }
    if (i >= file->Buffered()) {
      line.append(file->At(0), i);
      file->Consume(i);
      break;
    }
    {
      // Most bytes are plain: none of the checks below applies to them.
      const char* const at = file->At(0);
      const std::size_t buffered = file->Buffered();
      while (i + 1 < buffered && !IsLeadByte(at[i]) && at[i] != kLineFeed && !EndsText(at[i])) ++i;
      if (!atEnd && i + 1 >= buffered) continue;
    }
    const char b = *file->At(i);
    if (b == kLineFeed) {
      line.append(file->At(0), i);
      file->Consume(i + 1);
      break;
    }
    if (EndsText(b)) {
      line.append(file->At(0), i);
      file->Consume(i);
      break;
    }
    // A lead byte takes its trail byte with it, unless that is a NUL or
    // the file ends after it.
    const bool pairs = IsLeadByte(b) && i + 1 < file->Buffered() && *file->At(i + 1) != '\0';
    i += pairs ? 2 : 1;
  }
  if (!line.empty() && line.back() == kReturn) line.pop_back();
}

bool AtEndOfFile(FileHandle handle) {
  OpenFile* file = Find(handle);
  if (!file || file->failed) return true;
  if (file->Buffered() == 0) {
    const std::int64_t got = file->Fill();
    if (got < 0) {
      file->FailRead();
      return true;
    }
    if (got == 0) return true;
  }
  return EndsText(*file->At(0));
}

ReadingStop HowReadingStops(FileHandle handle) {
  ReadingStop stop;
  OpenFile* file = Find(handle);
  if (!file) return stop;
  stop.readFailed = file->failed;
  if (!AtEndOfFile(handle)) return stop;
  if (file->Buffered() > 0 && EndsText(*file->At(0))) stop.endMarkOffset = file->position;
  return stop;
}

bool WriteText(FileHandle handle, const Text& text) {
  OpenFile* file = Find(handle);
  if (!file) return false;
  if (text.empty()) return true;
  if (!file->Resync()) return false;
  if (!Write(file->native, text.data(), text.size())) {
    file->Resync();
    return false;
  }
  file->position += static_cast<std::int64_t>(text.size());
  return true;
}

void CloseTextFile(FileHandle handle) {
  OpenFile* file = Find(handle);
  if (!file) return;
  os_file::Close(file->native);
  Files()[static_cast<std::size_t>(handle) - 1].reset();
}

namespace {

// Puts the temporary file in the place of `name`; the fault that models
// a replacement failing half-way takes the old file away first.
bool PutInPlace(const Text& temporary, const Text& name) {
  if (Injected(FileStep::Replace)) return false;
  if (Injected(FileStep::HalfReplace)) {
    os_file::Remove(name);
    return false;
  }
  return os_file::Replace(temporary, name);
}

}  // namespace

bool ReplaceFileContent(const Text& name, const Text& bytes) {
  if (name.empty() || name.find('\0') != Text::npos || os_file::IsProtected(name)) return false;
  const bool replacing = os_file::Exists(name);
  // A name beside the target that nothing else uses; made new, never opened
  // over an existing file.
  Text temporary;
  int attempt = 0;
  do {
    temporary = name + ".~varnel" + ToText(attempt) + ".tmp";
  } while (os_file::Exists(temporary) && ++attempt < 100);
  os_file::Native file = 0;
  if (!Open(temporary, os_file::kCreateNew, &file)) return false;
  const bool written = Write(file, bytes.data(), bytes.size()) && !Injected(FileStep::Flush) && os_file::Flush(file);
  os_file::Close(file);
  if (written && PutInPlace(temporary, name)) return true;
  if (written && replacing && !os_file::Exists(name)) {
    // The old file went away although the replacement failed (Windows'
    // ReplaceFile can end so): the temporary file may be the only copy of
    // anything now, so it takes the name, or stays where it is.
    return PutInPlace(temporary, name);
  }
  if (!Injected(FileStep::Remove)) os_file::Remove(temporary);
  return false;
}

void InjectFileFault(FileStep step, int nth) {
  if (nth > 0) {
    PendingFaults()[static_cast<std::size_t>(step)] = nth;
  } else {
    PendingFaults().fill(0);
  }
}
