#include "primitives/text_column.h"

#include <cstring>
#include <limits>

namespace {

// The bytes most recently shared, known without keeping them alive.
struct SharedBytes {
  std::weak_ptr<const std::vector<char>> owner;
  const char* begin = nullptr;
  std::size_t size = 0;

  bool Holds(std::string_view text) const {
    // By address: a view lies in these bytes exactly when it starts in
    // them and ends no later than they do. An empty one too (a blank
    // line): referred to where it lies, it keeps its neighbours' run.
    const auto at = reinterpret_cast<std::uintptr_t>(text.data());
    const auto first = reinterpret_cast<std::uintptr_t>(begin);
    return begin != nullptr && at >= first && at - first <= size && text.size() <= size - (at - first);
  }
};

SharedBytes& LatestShared() {
  static SharedBytes latest;
  return latest;
}

constexpr std::uint32_t kLongestText = (std::uint32_t{1} << 31) - 1;

// Whether `bytes` hold `separator` at `at` (<= bytes.size()). Byte by
// byte: separators are a few bytes, and this runs once a text.
bool FollowedBy(const std::vector<char>& bytes, std::size_t at, std::string_view separator) {
  if (separator.size() > bytes.size() - at) return false;
  for (std::size_t k = 0; k < separator.size(); ++k) {
    if (bytes[at + k] != separator[k]) return false;
  }
  return true;
}

// Copies `size` bytes to `out` and returns the end of the copy. `readable`
// bytes may be read at `from`, and `out` may be written up to `end`.
constexpr std::size_t kBlock = 32;
char* Put(char* out, const char* end, const char* from, std::size_t readable, std::size_t size) {
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

// A text of `size` bytes that fill(data) writes whole: where the library
// can, without first writing zeros over all of it.
template <class Fill>
Text TextOfSize(std::size_t size, Fill fill) {
  Text text;
#if defined(__cpp_lib_string_resize_and_overwrite)
  text.resize_and_overwrite(size, [&](char* data, std::size_t) {
    fill(data);
    return size;
  });
#else
  text.resize(size);
  fill(text.data());
#endif
  return text;
}

}  // namespace

TextColumn::Span TextColumn::Store(std::string_view text) {
  constexpr std::size_t kMost = std::numeric_limits<std::uint32_t>::max();
  if (text.size() > kLongestText || text.size() > kMost - bytes_.size()) StopProgram("文本过长。");
  const Span span{static_cast<std::uint32_t>(bytes_.size()), static_cast<std::uint32_t>(text.size() & kLongestText), 0};
  bytes_.insert(bytes_.end(), text.begin(), text.end());
  return span;
}

bool TextColumn::Refer(std::string_view text, Span* span) {
  const SharedBytes& latest = LatestShared();
  if (text.size() > kLongestText || !latest.Holds(text)) return false;
  if (!shared_ || shared_->data() != latest.begin) {
    // Only one block of shared bytes per column: texts from another stay
    // in it while any is left, and new ones are copied.
    if (sharedSpans_ != 0) return false;
    shared_ = latest.owner.lock();
    if (!shared_) return false;
  }
  *span = Span{static_cast<std::uint32_t>(text.data() - shared_->data()), static_cast<std::uint32_t>(text.size() & kLongestText), 1};
  ++sharedSpans_;
  return true;
}

void TextColumn::Forget(const Span& span) {
  if (!span.shared) {
    waste_ += span.length;
  } else if (--sharedSpans_ == 0) {
    shared_.reset();
  }
}

void TextColumn::Insert(int position, std::string_view text) {
  Changed();
  Span span{};
  if (!Refer(text, &span)) span = Store(text);
  spans_.insert(spans_.begin() + position, span);
}

void TextColumn::AppendFollowedBy(std::string_view text, std::string_view filler) {
  Append(text);
  // Counted as waste: no text's bytes, and dropped with the waste.
  waste_ += Store(filler).length;
}

void TextColumn::Set(int i, std::string_view text) {
  Changed();
  Span& span = spans_[static_cast<std::size_t>(i)];
  Span shared{};
  if (Refer(text, &shared)) {
    Forget(span);
    span = shared;
    CompactIfWasteful();
    return;
  }
  if (!span.shared && text.size() <= span.length) {
    // In place: the span's bytes are its own. memmove, since `text` may be
    // a view of them.
    if (!text.empty()) std::memmove(bytes_.data() + span.offset, text.data(), text.size());
    waste_ += span.length - text.size();
    span.length = static_cast<std::uint32_t>(text.size() & kLongestText);
    return;
  }
  // `text` may be a view into bytes_, which Store can move.
  const Text copy(text);
  Forget(span);
  spans_[static_cast<std::size_t>(i)] = Store(copy);
  CompactIfWasteful();
}

void TextColumn::Erase(int first, int count) {
  Changed();
  const auto begin = spans_.begin() + first;
  for (auto it = begin; it != begin + count; ++it) Forget(*it);
  spans_.erase(begin, begin + count);
  CompactIfWasteful();
}

void TextColumn::Clear() {
  // Keeps the buffers: a view is cleared to be filled again, mostly with a
  // file of about the same size, and a fresh buffer of many megabytes costs
  // a page fault per page to grow back.
  Changed();
  spans_.clear();
  bytes_.clear();
  waste_ = 0;
  shared_.reset();
  sharedSpans_ = 0;
}

void TextColumn::Share() {
  Changed();
  Bytes frozen;
  // Frozen as they are unless most of them are waste (fillers after the
  // texts stay); the spare capacity a growing buffer has at its end is
  // never written, so never takes memory.
  if (shared_ || waste_ * 2 > bytes_.size()) {
    // The texts in order, in bytes of their own: frozen bytes are never
    // compacted.
    frozen = Packed(true);
  } else {
    frozen = std::move(bytes_);
  }
  for (Span& span : spans_) span.shared = 1;
  Bytes().swap(bytes_);
  waste_ = 0;
  shared_ = std::make_shared<const Bytes>(std::move(frozen));
  sharedSpans_ = spans_.size();
  SharedBytes& latest = LatestShared();
  latest.owner = shared_;
  latest.begin = shared_->data();
  latest.size = shared_->size();
}

TextColumn::Bytes TextColumn::Packed(bool sharedToo) {
  std::size_t size = 0;
  for (const Span& span : spans_) size += sharedToo || !span.shared ? span.length : 0;
  Bytes packed;
  packed.reserve(size);
  for (Span& span : spans_) {
    if (span.shared && !sharedToo) continue;
    const char* from = BytesOf(span).data() + span.offset;
    const auto offset = static_cast<std::uint32_t>(packed.size());
    packed.insert(packed.end(), from, from + span.length);
    span.offset = offset;
  }
  return packed;
}

void TextColumn::CompactIfWasteful() {
  // Amortised: a rebuild costs the live bytes, and at least as many bytes
  // were wasted since the last one.
  if (waste_ < 4096 || waste_ * 2 < bytes_.size()) return;
  bytes_ = Packed(false);
  waste_ = 0;
}

const std::vector<TextColumn::Run>& TextColumn::RunsWith(std::string_view separator) const {
  if (runsKnown_ && runsSeparator_ == separator) return runs_;
  runs_.clear();
  const std::size_t count = spans_.size();
  for (std::size_t i = 0; i < count;) {
    const Span& first = spans_[i];
    const Bytes& bytes = BytesOf(first);
    std::size_t last = i;
    std::size_t to = std::size_t{first.offset} + first.length;
    bool followed = FollowedBy(bytes, to, separator);
    while (followed && last + 1 < count) {
      const Span& next = spans_[last + 1];
      if (next.shared != first.shared || next.offset != to + separator.size()) break;
      ++last;
      to = std::size_t{next.offset} + next.length;
      followed = FollowedBy(bytes, to, separator);
    }
    runs_.push_back(Run::Of(i, last - i + 1, followed));
    i = last + 1;
  }
  runsSeparator_.assign(separator);
  runsKnown_ = true;
  return runs_;
}

Text TextColumn::JoinedPieces(const std::vector<Run>& pieces, std::string_view separator) const {
  // The bytes from the start of a piece's first text to the end of its last.
  const auto extent = [&](const Run& piece) {
    const Span& from = spans_[piece.first];
    const Span& to = spans_[static_cast<std::size_t>(piece.Last())];
    return std::size_t{to.offset} + to.length - from.offset;
  };
  std::size_t size = 0;
  for (const Run& piece : pieces) size += extent(piece) + separator.size();
  // The separator from a buffer a whole block long, so that it too goes in
  // one fixed-size copy.
  char padded[kBlock] = {};
  const bool shortSeparator = separator.size() <= kBlock;
  if (shortSeparator && !separator.empty()) std::memcpy(padded, separator.data(), separator.size());
  const char* const separatorBytes = shortSeparator ? padded : separator.data();
  const std::size_t readable = shortSeparator ? kBlock : separator.size();
  return TextOfSize(size, [&](char* out) {
    char* const end = out + size;
    for (const Run& piece : pieces) {
      const Span& first = spans_[piece.first];
      const Bytes& bytes = BytesOf(first);
      const std::size_t length = extent(piece);
      if (piece.followed) {
        std::memcpy(out, bytes.data() + first.offset, length + separator.size());
        out += length + separator.size();
      } else {
        out = Put(out, end, bytes.data() + first.offset, bytes.size() - first.offset, length);
        out = Put(out, end, separatorBytes, readable, separator.size());
      }
    }
  });
}
