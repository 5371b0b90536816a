// GBK <-> UTF-16 at the platform boundary, always with code page 936 and
// never with the process code page, so the program behaves the same on any
// Windows language.
#pragma once

#include <string>

#include "primitives/text.h"

// Exact conversion of GBK bytes; false when a byte sequence is not GBK.
bool GbkToWide(const Text& text, std::wstring* wide);

// Exact conversion to GBK; false when a character has no GBK form (no
// best-fit replacement is ever taken).
bool WideToGbk(const std::wstring& wide, Text* text);

// For display only: invalid bytes become U+FFFD, never fails.
std::wstring GbkToWideForDisplay(const Text& text);
