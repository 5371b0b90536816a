// The shown form of GBK bytes in the Win32 controls (see
// primitives/shown_offsets.h), with code page 936 behind it.
#pragma once

#include <string>
#include <string_view>

#include "primitives/shown_offsets.h"
#include "primitives/text.h"

// Code page 936, one pair at a time, and exact conversion of typed text.
const ShownCharset& Gbk936();

// The shown form of `size` bytes at `data`; *endsInLoneLead (when given)
// tells whether the last character is a lead byte without its trail.
inline std::wstring ShownText(const char* data, std::size_t size, bool* endsInLoneLead = nullptr) {
  return ShownText(data, size, Gbk936(), endsInLoneLead);
}
inline std::wstring ShownText(std::string_view text) { return ShownText(text.data(), text.size()); }

// Copies the shown form of the text's beginning into a buffer of `capacity`
// units, NUL-terminated (what a control asks for in its display callback).
inline void CopyShownText(std::string_view text, wchar_t* buffer, int capacity) {
  CopyShownText(text, buffer, capacity, Gbk936());
}

// The stored bytes after the user changed a control's shown text from
// `before` (the shown form of `stored`) to `after`. False when GBK cannot
// represent what was typed.
inline bool ApplyTyping(const Text& stored, const std::wstring& before, const std::wstring& after, Text* result) {
  return ApplyTyping(stored, before, after, Gbk936(), result);
}
