#include "primitives/win32/wide.h"

#include <windows.h>

namespace {
constexpr UINT kGbk = 936;
}

bool GbkToWide(const Text& text, std::wstring* wide) {
  wide->clear();
  if (text.empty()) return true;
  const int size = static_cast<int>(text.size());
  const int n = MultiByteToWideChar(kGbk, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
  if (n <= 0) return false;
  wide->resize(static_cast<size_t>(n));
  return MultiByteToWideChar(kGbk, MB_ERR_INVALID_CHARS, text.data(), size, wide->data(), n) == n;
}

bool WideToGbk(const std::wstring& wide, Text* text) {
  text->clear();
  if (wide.empty()) return true;
  const int size = static_cast<int>(wide.size());
  BOOL lossy = FALSE;
  const int n = WideCharToMultiByte(kGbk, WC_NO_BEST_FIT_CHARS, wide.data(), size, nullptr, 0, nullptr, &lossy);
  if (n <= 0 || lossy) return false;
  text->resize(static_cast<size_t>(n));
  lossy = FALSE;
  const int put = WideCharToMultiByte(kGbk, WC_NO_BEST_FIT_CHARS, wide.data(), size, text->data(), n, nullptr, &lossy);
  return put == n && !lossy;
}

std::wstring GbkToWideForDisplay(const Text& text) {
  std::wstring wide;
  if (GbkToWide(text, &wide)) return wide;
  if (text.empty()) return wide;
  const int size = static_cast<int>(text.size());
  const int n = MultiByteToWideChar(kGbk, 0, text.data(), size, nullptr, 0);
  if (n <= 0) return wide;
  wide.resize(static_cast<size_t>(n));
  MultiByteToWideChar(kGbk, 0, text.data(), size, wide.data(), n);
  return wide;
}
