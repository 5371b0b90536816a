// How a control that shows UTF-16 shows GBK bytes: one unit per character
// under the two-byte rule of the text search (a byte of 0x80 or above and
// the byte after it are one character; a lone last byte is one character
// too). An invalid character shows as U+FFFD, still one unit, so offsets in
// the control map exactly to byte offsets in the stored text.
//
// The mapping itself needs no platform: the two conversions it rests on are
// handed in, the code page's on Windows and a stand-in in the fuzz target.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "primitives/text.h"

inline constexpr wchar_t kShownReplacement = 0xFFFD;

// The character set behind the shown form.
class ShownCharset {
 public:
  // The unit of a two-byte character (lead >= 0x80), U+FFFD when the pair
  // is no character.
  virtual wchar_t PairUnit(unsigned char lead, unsigned char trail) const = 0;
  // The exact bytes of typed text; false when a character has none.
  virtual bool ToBytes(const std::wstring& wide, Text* bytes) const = 0;

 protected:
  ~ShownCharset() = default;
};

// The shown form of `size` bytes at `data`; *endsInLoneLead (when given)
// tells whether the last character is a lead byte without its trail.
std::wstring ShownText(const char* data, std::size_t size, const ShownCharset& charset,
                       bool* endsInLoneLead = nullptr);

// Copies the shown form of the text's beginning into a buffer of `capacity`
// units, NUL-terminated (what a control asks for in its display callback).
void CopyShownText(std::string_view text, wchar_t* buffer, int capacity, const ShownCharset& charset);

// Bytes taken by the first `units` characters (all bytes when fewer).
int ShownUnitsToBytes(std::string_view text, int units);
// Characters lying wholly within the first `bytes` bytes.
int BytesToShownUnits(std::string_view text, int bytes);

// The stored bytes after the user changed a control's shown text from
// `before` (the shown form of `stored`) to `after`: the unchanged beginning
// and end keep their stored bytes, and only the typed middle is converted,
// exactly. False when the character set cannot represent what was typed.
bool ApplyTyping(const Text& stored, const std::wstring& before, const std::wstring& after,
                 const ShownCharset& charset, Text* result);
