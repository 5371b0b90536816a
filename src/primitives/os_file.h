// The few operating-system file calls the text file layer needs. One body
// per platform (posix/, win32/); nothing above this layer sees either.
#pragma once

#include <cstddef>
#include <cstdint>

#include "primitives/text.h"

namespace os_file {

// An open file of the platform; the value means nothing outside the body.
using Native = std::intptr_t;

// `mode` is one of the textfile.h modes, or kCreateNew. False when the
// file cannot be opened so, or when `name` cannot be turned into a platform
// path exactly.
bool Open(const Text& name, int mode, Native* file);

// A new file, write access only; fails when the name exists already.
inline constexpr int kCreateNew = 5;

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

// Makes the bytes written so far durable; false when the platform reports
// an error (a full disk shows here at the latest).
bool Flush(Native file);

void Close(Native file);

// Puts the file `from` in the place of `to` in one step: `to` names its old
// content or the new one, never anything between. The new file takes the
// attributes of the file it replaces where the platform allows. `to` may
// not exist yet.
bool Replace(const Text& from, const Text& to);

bool Remove(const Text& name);

// True when something of that name exists (a file, a folder, anything).
bool Exists(const Text& name);

// True when `name` exists and may not be written: marked read-only, or not
// a plain file.
bool IsProtected(const Text& name);

}  // namespace os_file
