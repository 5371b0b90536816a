// How the fuzz targets read their input: bytes, small integers and texts
// taken from the front; zeros and empty texts once it is used up.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "primitives/text.h"

struct FuzzInput {
  const std::uint8_t* data;
  std::size_t size;

  int Byte() {
    if (size == 0) return 0;
    --size;
    return *data++;
  }
  int Int16() {
    std::int16_t value = 0;
    if (size >= 2) {
      std::memcpy(&value, data, 2);
      data += 2;
      size -= 2;
    }
    return value;
  }
  // The next `n` bytes (fewer when the input ends) as a text, without NUL
  // bytes: texts hold none.
  Text Bytes(std::size_t n) {
    n = std::min(n, size);
    Text text(reinterpret_cast<const char*>(data), n);
    data += n;
    size -= n;
    std::erase(text, '\0');
    return text;
  }
};
