// Line-oriented reading and writing of GBK text files, as raw bytes.
//
// A file is named by a FileHandle, 0 meaning none. Every operation accepts
// the handle 0 and then does nothing. Bytes pass unchanged: no newline
// translation, no BOM handling, and other programs may keep reading and
// writing a file while it is open here.
#pragma once

#include <cstdint>

#include "primitives/text.h"

using FileHandle = int;

// Opening modes.
inline constexpr int kReadOnly = 1;   // an existing file, read access only
inline constexpr int kReadWrite = 3;  // an existing file, read and write access
inline constexpr int kCreate = 4;     // created, or emptied when it exists; write access only

// Opens `name` (a GBK path). Returns 0 for an empty name, a name the
// platform cannot represent, a mode not listed above, or a file that cannot
// be opened in that mode; a read-only file opens in kReadOnly only. Shows
// no message: the calling command reports the failure.
FileHandle OpenTextFile(const Text& name, int mode = kReadWrite);

// The file's size in bytes; -1 for the handle 0 or when the platform
// cannot tell.
std::int64_t TextFileSize(FileHandle handle);

// Moves the position to byte 0. False for the handle 0 or when the
// platform refuses.
bool SeekToStart(FileHandle handle);

// The next line, without its line end. A line ends at the first line feed,
// NUL or 0x1A byte, where a byte of 0x80 or above and the byte after it are
// one character (so a trail byte never ends a line); one CR before the end
// is dropped. After a line feed the position moves past it; a NUL or 0x1A
// byte ends the text and the position stays on it. A lead byte followed by
// NUL or by the end of the file stands alone. No length limit.
Text ReadLine(FileHandle handle);
// The same into *line, whose buffer is reused: reading many lines this way
// allocates only when a line is longer than all before it.
void ReadLine(FileHandle handle, Text* line);

// True at or past the end of the file, on a NUL or 0x1A byte, after a read
// failure, and for the handle 0.
bool AtEndOfFile(FileHandle handle);

// Why reading stops where it does, for the caller that must tell the user
// (a text cut short at a NUL or 0x1A byte, or a failed read).
struct ReadingStop {
  // Byte offset of the NUL or 0x1A byte at the position, or -1 when the
  // position is not on one.
  std::int64_t endMarkOffset = -1;
  // A read failed: its partial line was discarded and the position moved
  // to the end of the file. Cleared by SeekToStart.
  bool readFailed = false;
};
ReadingStop HowReadingStops(FileHandle handle);

// Writes the text's bytes at the current position and moves past them. An
// empty text writes nothing and succeeds. On a write error the position
// goes back to where the write began and the result is false.
bool WriteText(FileHandle handle, const Text& text);

// Closes the file and frees the handle.
void CloseTextFile(FileHandle handle);

// Makes `bytes` the whole content of the file `name` without ever leaving
// it half written: the bytes go to a new temporary file in the same folder,
// which is flushed and then put in the place of `name` in one step, taking
// over its attributes where the platform allows. On any failure (`name`
// read-only or not a plain file, a write, the flush or the replacement
// failing, a path the platform cannot represent) the result is false, the
// file at `name` is as it was and the temporary file is removed again (it
// stays when that removal fails too). Should the platform lose the old file
// while failing to replace it, the new bytes still take its name, or stay
// in the temporary file when they cannot: never is the last copy removed.
bool ReplaceFileContent(const Text& name, const Text& bytes);

// For tests: makes the nth next platform call of one kind fail (1 the very
// next one) as a full disk, a locked file or a vanished file would.
// HalfReplace fails a replacement after removing the old file, as Windows'
// ReplaceFile may. Faults of different kinds may be pending together; a
// second one of a kind replaces the first. nth 0 clears every fault.
enum class FileStep { Open, Read, Write, Flush, Replace, HalfReplace, Remove };
inline constexpr int kFileSteps = 7;
void InjectFileFault(FileStep step, int nth = 1);
