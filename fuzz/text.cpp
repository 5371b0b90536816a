// FindText, FindTextBackward and RightPart with arbitrary texts (without
// NUL bytes, as texts are) and arguments, held to their plain definitions:
// the forward scan begins at `start` and steps over a byte of 0x80 or
// above together with the byte after it; the backward search scans the
// bytes before `limit` the same way from the first byte and keeps the last
// match lying wholly inside them.
#include <cstdint>
#include <cstdlib>
#include <algorithm>
#include <cstring>
#include <vector>

#include "fuzz_input.h"
#include "primitives/text.h"

namespace {

// The candidate offsets of a scan that begins at `from`.
std::vector<int> Candidates(const Text& text, int from) {
  std::vector<int> offsets;
  for (int i = from; i < static_cast<int>(text.size());) {
    offsets.push_back(i);
    i += static_cast<unsigned char>(text[static_cast<std::size_t>(i)]) >= 0x80 ? 2 : 1;
  }
  return offsets;
}

bool MatchesAt(const Text& text, const Text& what, int offset) {
  return offset + what.size() <= text.size() && text.compare(static_cast<std::size_t>(offset), what.size(), what) == 0;
}


}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput in{data, size};
  const int start = in.Int16();
  const int limit = in.Int16();
  const int count = in.Int16();
  if (in.size < 1) return 0;
  // The next byte splits the rest into the text searched for and the text.
  const auto split = static_cast<std::size_t>(in.Byte());
  const Text what = in.Bytes(split);
  const Text text = in.Bytes(in.size);
  const int length = static_cast<int>(text.size());

  const Text right = RightPart(text, count);
  const Text expectedRight = count <= 0 ? Text() : text.substr(text.size() - std::min<std::size_t>(count, text.size()));
  if (right != expectedRight) std::abort();

  const int from = std::max(start - 1, 0);
  if (what.empty()) {
    if (FindText(text, what, start) != (from < length ? 1 : -1)) std::abort();
    FindTextBackward(text, what, limit);
    return 0;
  }
  int expected = -1;
  for (int offset : Candidates(text, from)) {
    if (MatchesAt(text, what, offset)) {
      expected = offset + 1;
      break;
    }
  }
  if (FindText(text, what, start) != expected) std::abort();

  const int region = limit <= 1 ? 0 : std::min(limit - 1, length);
  int expectedBack = -1;
  int lastAnywhere = -1;
  for (int offset : Candidates(text, 0)) {
    if (!MatchesAt(text, what, offset)) continue;
    lastAnywhere = offset + 1;
    if (offset + static_cast<int>(what.size()) <= region) expectedBack = offset + 1;
  }
  if (FindTextBackward(text, what, limit) != expectedBack) std::abort();
  if (FindTextBackward(text, what) != lastAnywhere) std::abort();
  return 0;
}
