#include "primitives/win32/shown_text.h"

#include <windows.h>

#include <vector>

#include "primitives/win32/wide.h"

namespace {

class CodePage936 final : public ShownCharset {
 public:
  wchar_t PairUnit(unsigned char lead, unsigned char trail) const override {
    return Table()[static_cast<std::size_t>((lead - 0x80) * 256 + trail)];
  }
  bool ToBytes(const std::wstring& wide, Text* bytes) const override { return WideToGbk(wide, bytes); }

 private:
  // Every two-byte character of code page 936, by lead and trail byte, built
  // once: a per-pair conversion keeps one unit per character even where the
  // code page would read a pair as two characters (0x80 is a single byte
  // there).
  static const std::vector<wchar_t>& Table() {
    static const std::vector<wchar_t> table = [] {
      std::vector<wchar_t> t(128 * 256, kShownReplacement);
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
};

}  // namespace

const ShownCharset& Gbk936() {
  static const CodePage936 charset;
  return charset;
}
