// ReadLine and AtEndOfFile over arbitrary bytes read in arbitrary blocks
// give exactly the lines of the file format: a line ends at a line feed
// (one CR before it dropped), a NUL or 0x1A byte ends the text, and a byte
// of 0x80 or above takes the next byte with it unless that is a NUL.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "os_file_fuzz.h"
#include "primitives/textfile.h"

namespace {

bool EndsText(char b) { return b == '\0' || b == 0x1A; }

// The format's lines, written as plainly as possible; *stop is where the
// text ended early (-1 when it did not).
std::vector<Text> ReferenceLines(const std::string& bytes, std::int64_t* stop) {
  std::vector<Text> lines;
  std::size_t pos = 0;
  const std::size_t n = bytes.size();
  while (pos < n && !EndsText(bytes[pos])) {
    std::size_t i = pos;
    Text line;
    while (true) {
      if (i >= n) {
        line = bytes.substr(pos);
        pos = n;
        break;
      }
      const char b = bytes[i];
      if (b == '\n') {
        line = bytes.substr(pos, i - pos);
        pos = i + 1;
        break;
      }
      if (EndsText(b)) {
        line = bytes.substr(pos, i - pos);
        pos = i;
        break;
      }
      const bool lead = static_cast<unsigned char>(b) >= 0x80;
      i += (lead && i + 1 < n && bytes[i + 1] != '\0') ? 2 : 1;
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  *stop = pos < n ? static_cast<std::int64_t>(pos) : -1;
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  // The first bytes give the block sizes (up to 4 of them), the rest is the file.
  const std::size_t blockCount = data[0] % 5;
  if (size < 1 + blockCount) return 0;
  FuzzFile& file = TheFuzzFile();
  file.blocks.clear();
  for (std::size_t i = 0; i < blockCount; ++i) file.blocks.push_back(1 + data[1 + i] % 700);
  file.bytes.assign(reinterpret_cast<const char*>(data) + 1 + blockCount, size - 1 - blockCount);

  const FileHandle handle = OpenTextFile("fuzz", kReadOnly);
  if (handle == 0) std::abort();
  std::vector<Text> lines;
  while (!AtEndOfFile(handle)) {
    lines.push_back(ReadLine(handle));
    if (lines.size() > file.bytes.size() + 1) std::abort();  // reading must move on
  }
  const ReadingStop stop = HowReadingStops(handle);
  CloseTextFile(handle);

  std::int64_t expectedStop = -1;
  if (lines != ReferenceLines(file.bytes, &expectedStop)) std::abort();
  if (stop.readFailed || stop.endMarkOffset != expectedStop) std::abort();
  return 0;
}
