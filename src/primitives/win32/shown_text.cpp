#include "primitives/win32/shown_text.h"

#include <windows.h>

#include <vector>

#include "primitives/win32/wide.h"

namespace {

constexpr wchar_t kReplacement = 0xFFFD;

bool IsLead(char byte) { return static_cast<unsigned char>(byte) >= 0x80; }

// Every two-byte character of code page 936, by lead and trail byte, built
// once: a per-pair conversion keeps one unit per character even where the
// code page would read a pair as two characters (0x80 is a single byte there).
const std::vector<wchar_t>& PairTable() {
  static const std::vector<wchar_t> table = [] {
    std::vector<wchar_t> t(128 * 256, kReplacement);
    for (int lead = 0x80; lead <= 0xFF; ++lead) {
      for (int trail = 0x40; trail <= 0xFE; ++trail) {
        const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
        wchar_t out[2] = {};
        if (MultiByteToWideChar(936, MB_ERR_INVALID_CHARS, pair, 2, out, 2) == 1) {
          t[static_cast<std::size_t>((lead - 0x80) * 256 + trail)] = out[0];
        }
      }
    }
    return t;
  }();
  return table;
}

wchar_t PairUnit(char lead, char trail) {
  const auto index = static_cast<std::size_t>((static_cast<unsigned char>(lead) - 0x80) * 256 +
                                              static_cast<unsigned char>(trail));
  return PairTable()[index];
}

}  // namespace

std::wstring ShownText(const char* data, std::size_t size, bool* endsInLoneLead) {
  std::wstring shown;
  shown.reserve(size);
  bool lone = false;
  for (std::size_t i = 0; i < size;) {
    if (!IsLead(data[i])) {
      shown.push_back(static_cast<wchar_t>(static_cast<unsigned char>(data[i])));
      ++i;
    } else if (i + 1 < size) {
      shown.push_back(PairUnit(data[i], data[i + 1]));
      i += 2;
    } else {
      shown.push_back(kReplacement);
      lone = true;
      ++i;
    }
  }
  if (endsInLoneLead) *endsInLoneLead = lone;
  return shown;
}

void CopyShownText(const Text& text, wchar_t* buffer, int capacity) {
  if (!buffer || capacity <= 0) return;
  // Only as many bytes as can show: at most two per unit.
  std::size_t take = static_cast<std::size_t>(ShownUnitsToBytes(text, capacity - 1));
  const std::wstring shown = ShownText(text.data(), take);
  const std::size_t n = shown.size() < static_cast<std::size_t>(capacity - 1) ? shown.size()
                                                                               : static_cast<std::size_t>(capacity - 1);
  shown.copy(buffer, n);
  buffer[n] = L'\0';
}

int ShownUnitsToBytes(const Text& text, int units) {
  std::size_t i = 0;
  for (int u = 0; u < units && i < text.size(); ++u) {
    i += IsLead(text[i]) && i + 1 < text.size() ? 2 : 1;
  }
  return static_cast<int>(i);
}

int BytesToShownUnits(const Text& text, int bytes) {
  const std::size_t limit = bytes < 0 ? 0 : static_cast<std::size_t>(bytes);
  std::size_t i = 0;
  int units = 0;
  while (i < text.size()) {
    const std::size_t next = i + (IsLead(text[i]) && i + 1 < text.size() ? 2 : 1);
    if (next > limit) break;
    i = next;
    ++units;
  }
  return units;
}

bool ApplyTyping(const Text& stored, const std::wstring& before, const std::wstring& after, Text* result) {
  std::size_t prefix = 0;
  while (prefix < before.size() && prefix < after.size() && before[prefix] == after[prefix]) ++prefix;
  std::size_t suffix = 0;
  while (suffix < before.size() - prefix && suffix < after.size() - prefix &&
         before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix]) {
    ++suffix;
  }
  Text typed;
  if (!WideToGbk(after.substr(prefix, after.size() - prefix - suffix), &typed)) return false;
  const auto head = static_cast<std::size_t>(ShownUnitsToBytes(stored, static_cast<int>(prefix)));
  const auto tail = static_cast<std::size_t>(ShownUnitsToBytes(stored, static_cast<int>(before.size() - suffix)));
  *result = stored.substr(0, head) + typed + stored.substr(tail);
  return true;
}
