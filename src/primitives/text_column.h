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
#include <initializer_list>
#include <memory>
#include <string_view>
#include <type_traits>
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

  // What Joined keeps when given no filter: every text.
  struct KeepAll {
    bool operator()(int) const { return true; }
  };

  // The texts for which keep(i) holds, each followed by `separator`.
  template <class Keep>
  Text Joined(std::string_view separator, Keep keep) const {
    const std::vector<Run>& runs = RunsWith(separator);
    if constexpr (std::is_same_v<Keep, KeepAll>) {
      return JoinedPieces(runs, separator);
    } else {
      // The longest stretches of kept texts within a run; `followed`: the
      // separator after a stretch is in the buffer, as it is before the
      // run's next text.
      std::vector<Run> pieces;
      for (const Run& run : runs) {
        for (int i = static_cast<int>(run.first); i <= run.Last(); ++i) {
          if (!keep(i)) continue;
          int last = i;
          while (last < run.Last() && keep(last + 1)) ++last;
          pieces.push_back(Run::Of(i, last - i + 1, last < run.Last() || run.followed));
          i = last;
        }
      }
      return JoinedPieces(pieces, separator);
    }
  }
  Text Joined(std::string_view separator) const { return Joined(separator, KeepAll{}); }

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
  // Texts first .. first + count - 1, laid out one after another in one
  // buffer with the separator between them, as a file's lines are read;
  // `followed`: the separator after the last is in the buffer too. Every
  // text is in one run, most edited ones in a run of their own.
  struct Run {
    std::uint32_t first;
    std::uint32_t count : 31;
    std::uint32_t followed : 1;
    int Last() const { return static_cast<int>(first + count) - 1; }
    static Run Of(std::size_t first, std::size_t count, bool followed) {
      return Run{static_cast<std::uint32_t>(first), static_cast<std::uint32_t>(count & 0x7FFFFFFF), followed ? 1u : 0u};
    }
  };
  // The runs for `separator`: found by one look at every text, then kept
  // until the column changes, so that joining an unchanged column (the
  // text view is rendered again on every click) copies run by run.
  const std::vector<Run>& RunsWith(std::string_view separator) const;
  void Changed() { runsKnown_ = false; }
  // The texts of each run in `pieces`, each followed by `separator`.
  Text JoinedPieces(const std::vector<Run>& pieces, std::string_view separator) const;
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
  mutable std::vector<Run> runs_;
  mutable Text runsSeparator_;
  mutable bool runsKnown_ = false;
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
  Text Joined(int column, std::string_view separator) const { return Joined(column, separator, TextColumn::KeepAll{}); }

 private:
  std::vector<TextColumn> columns_;
};
