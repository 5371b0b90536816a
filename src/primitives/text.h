// GBK byte texts and the few operations the commands build on.
//
// A Text holds raw GBK bytes (code page 936) without NUL bytes. Lengths and
// positions count bytes. The searches step over two-byte characters whole: a
// byte of 0x80 or above and the byte after it are one character, so a match
// never begins on a trail byte. The other operations are plain byte
// operations (RightPart can cut a character in half, on purpose: a section
// header is a line whose last *byte* is "]").
#pragma once

#include <climits>
#include <string>

using Text = std::string;

// Number of bytes.
int TextLength(const Text& text);

// Byte-wise, case-sensitive equality.
bool TextsEqual(const Text& a, const Text& b);

// 1-based position of the first match of `what` that begins at or after the
// 1-based `start` (a start below 1 counts as 1), or -1. An empty `what` gives
// 1 while any byte remains to scan.
int FindText(const Text& text, const Text& what, int start = 1);

// Position of the last match that lies wholly within the bytes before the
// 1-based `limit`, or -1. Without a limit the whole text is scanned.
inline constexpr int kNoLimit = INT_MAX;
int FindTextBackward(const Text& text, const Text& what, int limit = kNoLimit);

// The last `count` bytes (the whole text when it is shorter; empty when
// count <= 0).
Text RightPart(const Text& text, int count);

// `count` space bytes; empty when count < 1.
Text Spaces(int count);

// Decimal text as printf "%d" and "%.13g" give it.
Text ToText(int value);
Text ToText(double value);

// Stops the program after telling the user why (an error box where there is
// a screen), with exit code -1. Only for broken internal limits that no
// command reaches.
[[noreturn]] void StopProgram(const Text& message);
