// How the controls show GBK bytes: one UTF-16 unit per character under the
// two-byte rule of the text search (a byte of 0x80 or above and the byte
// after it are one character; a lone last byte is one character too). An
// invalid character shows as U+FFFD, still one unit, so offsets in the
// control map exactly to byte offsets in the stored text.
#pragma once

#include <string>

#include "primitives/text.h"

// The shown form of `size` bytes at `data`; *endsInLoneLead (when given)
// tells whether the last character is a lead byte without its trail.
std::wstring ShownText(const char* data, std::size_t size, bool* endsInLoneLead = nullptr);
inline std::wstring ShownText(const Text& text) { return ShownText(text.data(), text.size()); }

// Copies the shown form of the text's beginning into a buffer of `capacity`
// units, NUL-terminated (what a control asks for in its display callback).
void CopyShownText(const Text& text, wchar_t* buffer, int capacity);

// Bytes taken by the first `units` characters (all bytes when fewer).
int ShownUnitsToBytes(const Text& text, int units);
// Characters lying wholly within the first `bytes` bytes.
int BytesToShownUnits(const Text& text, int bytes);

// The stored bytes after the user changed a control's shown text from
// `before` (the shown form of `stored`) to `after`: the unchanged beginning
// and end keep their stored bytes, and only the typed middle is converted,
// exactly. False when GBK cannot represent what was typed.
bool ApplyTyping(const Text& stored, const std::wstring& before, const std::wstring& after, Text* result);
