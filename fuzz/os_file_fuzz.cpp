// The platform file calls over one in-memory file whose reads return the
// bytes in the block sizes the fuzzer chose.
#include "os_file_fuzz.h"

#include <algorithm>
#include <cstring>

#include "primitives/os_file.h"

namespace {
FuzzFile file;
}

FuzzFile& TheFuzzFile() { return file; }

namespace os_file {

bool Open(const Text& name, int, Native* native) {
  if (name != "fuzz") return false;
  file.position = 0;
  file.nextBlock = 0;
  *native = 1;
  return true;
}

std::int64_t Read(Native, char* buffer, std::size_t size) {
  std::size_t block = file.blocks.empty() ? size : file.blocks[file.nextBlock++ % file.blocks.size()];
  block = std::min({block, size, file.bytes.size() - file.position});
  std::memcpy(buffer, file.bytes.data() + file.position, block);
  file.position += block;
  return static_cast<std::int64_t>(block);
}

bool Write(Native, const char*, std::size_t) { return false; }

bool Seek(Native, std::int64_t offset) {
  if (offset < 0 || static_cast<std::size_t>(offset) > file.bytes.size()) return false;
  file.position = static_cast<std::size_t>(offset);
  return true;
}

std::int64_t Size(Native) { return static_cast<std::int64_t>(file.bytes.size()); }
bool Flush(Native) { return true; }
void Close(Native) {}
bool Replace(const Text&, const Text&) { return false; }
bool Remove(const Text&) { return false; }
bool Exists(const Text& name) { return name == "fuzz"; }
bool IsProtected(const Text&) { return false; }

}  // namespace os_file
