#include "primitives/text.h"

#include <cstdio>
#include <cstring>
#include <string_view>

namespace {

bool IsLeadByte(unsigned char b) { return b >= 0x80; }

// Finds the first match of `what` in text[from, end) that starts on a
// character boundary, where `from` itself is taken as a boundary (the scan
// starts there whatever lies before it). Returns the byte offset or npos.
//
// Candidates come from a plain substring search; each one is then checked
// for alignment. A byte below 0x80 always ends a character (it is either a
// character of its own or a trail byte), so the byte after it is a boundary,
// and the bytes from there to the candidate are all lead/trail bytes that
// pair up: the candidate is a boundary when their count is even. `synced` is
// the last known boundary, which keeps the backward look linear overall.
size_t FindAligned(std::string_view text, std::string_view what, size_t from, size_t end) {
  std::string_view region = text.substr(0, end);
  size_t synced = from;
  size_t pos = from;
  while (true) {
    const size_t found = region.find(what, pos);
    if (found == std::string_view::npos) return found;
    size_t run_start = found;
    while (run_start > synced && IsLeadByte(static_cast<unsigned char>(region[run_start - 1]))) {
      --run_start;
    }
    if ((found - run_start) % 2 == 0) return found;
    // `found` is a trail byte: found - 1 starts a character, so found + 1
    // is the next boundary.
    synced = found + 1;
    pos = found + 1;
  }
}

}  // namespace

int TextLength(const Text& text) { return static_cast<int>(text.size()); }

bool TextsEqual(const Text& a, const Text& b) { return a == b; }

int FindText(const Text& text, const Text& what, int start) {
  const long long length = static_cast<long long>(text.size());
  const long long s = start < 1 ? 0 : static_cast<long long>(start) - 1;
  if (s >= length) return -1;
  if (what.empty()) return 1;
  const size_t found = FindAligned(text, what, static_cast<size_t>(s), text.size());
  return found == std::string_view::npos ? -1 : static_cast<int>(found) + 1;
}

int FindTextBackward(const Text& text, const Text& what, int limit) {
  const long long length = static_cast<long long>(text.size());
  long long m = 0;
  if (limit > 1) m = static_cast<long long>(limit) - 1 > length ? length : static_cast<long long>(limit) - 1;
  if (m == 0) return -1;
  if (what.empty()) return 1;
  const size_t end = static_cast<size_t>(m);
  int last = -1;
  size_t from = 0;
  while (from + what.size() <= end) {
    const size_t found = FindAligned(text, what, from, end);
    if (found == std::string_view::npos) break;
    last = static_cast<int>(found) + 1;
    // Resume at the character after the match's first character.
    from = found + (IsLeadByte(static_cast<unsigned char>(text[found])) ? 2 : 1);
  }
  return last;
}

Text RightPart(const Text& text, int count) {
  if (count <= 0) return Text();
  if (static_cast<size_t>(count) >= text.size()) return text;
  return text.substr(text.size() - static_cast<size_t>(count));
}

Text Spaces(int count) { return count < 1 ? Text() : Text(static_cast<size_t>(count), ' '); }

Text ToText(int value) {
  char buffer[16];
  const int n = std::snprintf(buffer, sizeof buffer, "%d", value);
  return Text(buffer, static_cast<size_t>(n));
}

Text ToText(double value) {
  char buffer[64];
  const int n = std::snprintf(buffer, sizeof buffer, "%.13g", value);
  return Text(buffer, static_cast<size_t>(n));
}
