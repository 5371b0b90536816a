#include "primitives/shown_offsets.h"

namespace {

bool IsLead(char byte) { return static_cast<unsigned char>(byte) >= 0x80; }

}  // namespace

std::wstring ShownText(const char* data, std::size_t size, const ShownCharset& charset, bool* endsInLoneLead) {
  std::wstring shown;
  shown.reserve(size);
  bool lone = false;
  for (std::size_t i = 0; i < size;) {
    if (!IsLead(data[i])) {
      shown.push_back(static_cast<wchar_t>(static_cast<unsigned char>(data[i])));
      ++i;
    } else if (i + 1 < size) {
      shown.push_back(charset.PairUnit(static_cast<unsigned char>(data[i]), static_cast<unsigned char>(data[i + 1])));
      i += 2;
    } else {
      shown.push_back(kShownReplacement);
      lone = true;
      ++i;
    }
  }
  if (endsInLoneLead) *endsInLoneLead = lone;
  return shown;
}

void CopyShownText(std::string_view text, wchar_t* buffer, int capacity, const ShownCharset& charset) {
  if (!buffer || capacity <= 0) return;
  // Only as many bytes as can show: at most two per unit.
  std::size_t take = static_cast<std::size_t>(ShownUnitsToBytes(text, capacity - 1));
  const std::wstring shown = ShownText(text.data(), take, charset);
  const std::size_t n = shown.size() < static_cast<std::size_t>(capacity - 1) ? shown.size()
                                                                               : static_cast<std::size_t>(capacity - 1);
  shown.copy(buffer, n);
  buffer[n] = L'\0';
}

int ShownUnitsToBytes(std::string_view text, int units) {
  std::size_t i = 0;
  for (int u = 0; u < units && i < text.size(); ++u) {
    i += IsLead(text[i]) && i + 1 < text.size() ? 2 : 1;
  }
  return static_cast<int>(i);
}

int BytesToShownUnits(std::string_view text, int bytes) {
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

bool ApplyTyping(const Text& stored, const std::wstring& before, const std::wstring& after,
                 const ShownCharset& charset, Text* result) {
  std::size_t prefix = 0;
  while (prefix < before.size() && prefix < after.size() && before[prefix] == after[prefix]) ++prefix;
  std::size_t suffix = 0;
  while (suffix < before.size() - prefix && suffix < after.size() - prefix &&
         before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix]) {
    ++suffix;
  }
  Text typed;
  if (!charset.ToBytes(after.substr(prefix, after.size() - prefix - suffix), &typed)) return false;
  const auto head = static_cast<std::size_t>(ShownUnitsToBytes(stored, static_cast<int>(prefix)));
  const auto tail = static_cast<std::size_t>(ShownUnitsToBytes(stored, static_cast<int>(before.size() - suffix)));
  *result = stored.substr(0, head) + typed + stored.substr(tail);
  return true;
}
