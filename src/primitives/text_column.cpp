#include "primitives/text_column.h"

#include <cstring>
#include <limits>

TextColumn::Span TextColumn::Store(std::string_view text) {
  constexpr std::size_t kMost = std::numeric_limits<std::uint32_t>::max();
  if (text.size() > kMost - bytes_.size()) StopProgram("文本过长。");
  const Span span{static_cast<std::uint32_t>(bytes_.size()), static_cast<std::uint32_t>(text.size())};
  bytes_.insert(bytes_.end(), text.begin(), text.end());
  return span;
}

void TextColumn::Insert(int position, std::string_view text) {
  const Span span = Store(text);
  spans_.insert(spans_.begin() + position, span);
}

void TextColumn::Set(int i, std::string_view text) {
  Span& span = spans_[static_cast<std::size_t>(i)];
  if (text.size() <= span.length) {
    // In place: the span's bytes are its own. memmove, since `text` may be
    // a view of them.
    if (!text.empty()) std::memmove(bytes_.data() + span.offset, text.data(), text.size());
    waste_ += span.length - text.size();
    span.length = static_cast<std::uint32_t>(text.size());
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
}

void TextColumn::CompactIfWasteful() {
  // Amortised: a rebuild costs the live bytes, and at least as many bytes
  // were wasted since the last one.
  if (waste_ < 4096 || waste_ * 2 < bytes_.size()) return;
  std::vector<char> kept;
  kept.reserve(bytes_.size() - waste_);
  for (Span& span : spans_) {
    const auto offset = static_cast<std::uint32_t>(kept.size());
    const auto from = bytes_.begin() + static_cast<std::ptrdiff_t>(span.offset);
    kept.insert(kept.end(), from, from + static_cast<std::ptrdiff_t>(span.length));
    span.offset = offset;
  }
  bytes_ = std::move(kept);
  waste_ = 0;
}
