// Many short texts in order, in one buffer: a file's lines, a list's
// column, or a tree's item texts. A file of a million lines would otherwise cost a million
// separate allocations per view, and joining them would chase a pointer
// per line; here a text costs its bytes and one small record, and the
// texts of a freshly filled column lie in order, so joining them reads one
// buffer front to back.
//
// A column can also share its bytes (Share): they are frozen, and a text
// given to any column as a view into them is then referenced rather than
// copied. A file's lines, shared once, cost nothing more in each view that
// shows them unchanged; a changed text gets bytes of its own as before.
// Columns belong to the user's thread: the most recently shared bytes are
// known program-wide, unguarded.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <string_view>
#include <vector>

#include "primitives/text.h"

class TextColumn {
 public:
  TextColumn() = default;
  TextColumn(std::initializer_list<std::string_view> texts) {
    for (std::string_view text : texts) Append(text);
  }
  explicit TextColumn(const std::vector<Text>& texts) {
    for (const Text& text : texts) Append(text);
  }

  int Count() const { return static_cast<int>(spans_.size()); }

  // Text i, 0 <= i < Count(); valid until the column next changes.
  std::string_view View(int i) const {
    const Span& span = spans_[static_cast<std::size_t>(i)];
    return std::string_view(BytesOf(span).data() + span.offset, span.length);
  }
  Text Get(int i) const { return Text(View(i)); }

  // 0 <= position <= Count().
  void Insert(int position, std::string_view text);
  void Append(std::string_view text) { Insert(Count(), text); }
  // Appends `text` with `filler` after it in the buffer, no part of any
  // text: a join with `filler` as its separator copies a run of texts laid
  // out so in one piece instead of text by text.
  void AppendFollowedBy(std::string_view text, std::string_view filler);
  void Set(int i, std::string_view text);
  // Texts first .. first + count - 1.
  void Erase(int first, int count = 1);
  void Clear();
  // Room for `bytes` bytes of texts, when the caller knows about how many
  // are coming (a file's lines and their line ends: about its size).
  void ReserveBytes(std::size_t bytes) { bytes_.reserve(bytes); }

  // Freezes the column's bytes and makes them the ones other columns
  // reference (in place of any shared before). The column's texts stay as
  // they are; views of them stay valid until it next changes.
  void Share();

  // The texts for which keep(i) holds, each followed by `separator`.
  template <class Keep>
  Text Joined(std::string_view separator, Keep keep) const {
    std::size_t size = 0;
    for (int i = 0; i < Count(); ++i) {
      if (keep(i)) size += spans_[static_cast<std::size_t>(i)].length + separator.size();
    }
    Text joined(size, '\0');
    char* out = joined.data();
    char* const end = out + size;
    // The separator from a buffer a whole block long, so that it too goes
    // in one fixed-size copy.
    char padded[kBlock] = {};
    const bool shortSeparator = separator.size() <= kBlock;
    if (shortSeparator && !separator.empty()) std::memcpy(padded, separator.data(), separator.size());
    const char* const separatorBytes = shortSeparator ? padded : separator.data();
    const std::size_t readable = shortSeparator ? kBlock : separator.size();
    const int count = Count();
    for (int i = 0; i < count; ++i) {
      if (!keep(i)) continue;
      const Span& first = spans_[static_cast<std::size_t>(i)];
      const Bytes& bytes = BytesOf(first);
      // The texts that follow one another in the buffer with the separator
      // between them, as a file's lines are read, go in one copy.
      std::size_t from = first.offset;
      std::size_t to = from + first.length;
      bool followed = FollowedBy(bytes, to, separator);
      while (followed && i + 1 < count) {
        const Span& next = spans_[static_cast<std::size_t>(i) + 1];
        if (next.shared != first.shared || next.offset != to + separator.size() || !keep(i + 1)) break;
        ++i;
        to = next.offset + next.length;
        followed = FollowedBy(bytes, to, separator);
      }
      if (followed) {
        std::memcpy(out, bytes.data() + from, to + separator.size() - from);
        out += to + separator.size() - from;
        continue;
      }
      out = Put(out, end, bytes.data() + from, bytes.size() - from, to - from);
      out = Put(out, end, separatorBytes, readable, separator.size());
    }
    return joined;
  }
  Text Joined(std::string_view separator) const {
    return Joined(separator, [](int) { return true; });
  }

 private:
  using Bytes = std::vector<char>;
  // Eight bytes a text: a column's own bytes, and shared ones, come to at
  // most 4 GB, and a text to at most 2 GB, far more than the program's
  // int-counted texts can take anyway.
  struct Span {
    std::uint32_t offset;
    std::uint32_t length : 31;
    std::uint32_t shared : 1;  // in shared_, not bytes_
  };
  const Bytes& BytesOf(const Span& span) const { return span.shared ? *shared_ : bytes_; }
  // Whether `bytes` hold `separator` at `at` (<= bytes.size()). Byte by
  // byte: separators are a few bytes, and this runs once a text.
  static bool FollowedBy(const Bytes& bytes, std::size_t at, std::string_view separator) {
    if (separator.size() > bytes.size() - at) return false;
    for (std::size_t k = 0; k < separator.size(); ++k) {
      if (bytes[at + k] != separator[k]) return false;
    }
    return true;
  }
  // Copies `size` bytes to `out` and returns the end of the copy. `readable`
  // bytes may be read at `from`, and `out` may be written up to `end`.
  static constexpr std::size_t kBlock = 32;
  static char* Put(char* out, const char* end, const char* from, std::size_t readable, std::size_t size) {
    // Most lines are short: one fixed-size copy, which compiles to a few
    // moves, beats a call per line; the bytes it writes past `size` are
    // overwritten by what comes next.
    if (size <= kBlock && readable >= kBlock && static_cast<std::size_t>(end - out) >= kBlock) {
      std::memcpy(out, from, kBlock);
    } else if (size) {
      std::memcpy(out, from, size);
    }
    return out + size;
  }
  Span Store(std::string_view text);
  // A span for `text` in shared bytes, when it lies in them.
  bool Refer(std::string_view text, Span* span);
  void Forget(const Span& span);
  // The texts' bytes in order, own ones only or shared ones too, with those
  // texts' spans moved onto them (their buffer still to be put in place).
  Bytes Packed(bool sharedToo);
  void CompactIfWasteful();

  std::vector<Span> spans_;
  // Each span not shared owns its bytes alone. Bytes a changed or erased
  // text leaves behind are counted as waste and dropped once they are most
  // of the buffer.
  Bytes bytes_;
  std::size_t waste_ = 0;
  // Shared bytes some spans lie in, held while any does.
  std::shared_ptr<const Bytes> shared_;
  std::size_t sharedSpans_ = 0;
};

// A list's texts: rows of a fixed number of cells, kept column by column,
// so that a column's join reads one buffer.
class TextTable {
 public:
  explicit TextTable(int columns = 1) : columns_(static_cast<std::size_t>(columns < 1 ? 1 : columns)) {}

  int Rows() const { return columns_[0].Count(); }
  bool HasCell(int row, int column) const {
    return row >= 0 && row < Rows() && column >= 0 && column < static_cast<int>(columns_.size());
  }
  // A cell HasCell names; valid until the table next changes.
  std::string_view View(int row, int column) const { return columns_[static_cast<std::size_t>(column)].View(row); }

  // A row before `row` (0 <= row <= Rows()), `first` in column 0 and the
  // other cells empty.
  void InsertRow(int row, std::string_view first) {
    for (std::size_t column = 0; column < columns_.size(); ++column) {
      columns_[column].Insert(row, column == 0 ? first : std::string_view());
    }
  }
  void Set(int row, int column, std::string_view text) { columns_[static_cast<std::size_t>(column)].Set(row, text); }
  void EraseRow(int row) {
    for (TextColumn& column : columns_) column.Erase(row);
  }
  void Clear() {
    for (TextColumn& column : columns_) column.Clear();
  }

  // Column `column` of the rows for which keep(row) holds, each followed
  // by `separator`; a column the table does not have reads as empty cells.
  template <class Keep>
  Text Joined(int column, std::string_view separator, Keep keep) const {
    if (column >= 0 && column < static_cast<int>(columns_.size())) {
      return columns_[static_cast<std::size_t>(column)].Joined(separator, keep);
    }
    Text joined;
    for (int row = 0; column >= 0 && row < Rows(); ++row) {
      if (keep(row)) joined += separator;
    }
    return joined;
  }

 private:
  std::vector<TextColumn> columns_;
};
