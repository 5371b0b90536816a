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
    // them and ends no later than they do.
    const auto at = reinterpret_cast<std::uintptr_t>(text.data());
    const auto first = reinterpret_cast<std::uintptr_t>(begin);
    return !text.empty() && at >= first && at - first <= size && text.size() <= size - (at - first);
  }
};

SharedBytes& LatestShared() {
  static SharedBytes latest;
  return latest;
}

constexpr std::uint32_t kLongestText = (std::uint32_t{1} << 31) - 1;

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
  const auto begin = spans_.begin() + first;
  for (auto it = begin; it != begin + count; ++it) Forget(*it);
  spans_.erase(begin, begin + count);
  CompactIfWasteful();
}

void TextColumn::Clear() {
  // Keeps the buffers: a view is cleared to be filled again, mostly with a
  // file of about the same size, and a fresh buffer of many megabytes costs
  // a page fault per page to grow back.
  spans_.clear();
  bytes_.clear();
  waste_ = 0;
  shared_.reset();
  sharedSpans_ = 0;
}

void TextColumn::Share() {
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
