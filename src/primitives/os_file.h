// The few operating-system file calls the text file layer needs. One body
// per platform (posix/, win32/); nothing above this layer sees either.
#pragma once

#include <cstddef>
#include <cstdint>

#include "primitives/text.h"

namespace os_file {

// An open file of the platform; the value means nothing outside the body.
using Native = std::intptr_t;

// `mode` is one of the textfile.h modes. False when the file cannot be
// opened so, or when `name` cannot be turned into a platform path exactly.
bool Open(const Text& name, int mode, Native* file);

// Reads up to `size` bytes at the platform's file position. Returns the
// number read (0 at the end of the file) or -1 on an error.
std::int64_t Read(Native file, char* buffer, std::size_t size);

// Writes all `size` bytes at the platform's file position; false when not
// all of them could be written.
bool Write(Native file, const char* data, std::size_t size);

// Moves the platform's file position to `offset` bytes from the start.
bool Seek(Native file, std::int64_t offset);

// The file's size in bytes, or -1.
std::int64_t Size(Native file);

void Close(Native file);

}  // namespace os_file
