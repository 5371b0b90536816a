// Edit boxes: the text view and the search box. The stored bytes are the
// content; the control shows them with one UTF-16 unit per character, so
// selection offsets map exactly. Appends made while a handler runs reach
// the control in one piece when the outermost handler returns.
#include <algorithm>
#include <utility>

#include "primitives/win32/body.h"
#include "primitives/win32/shown_text.h"

namespace win32_body {

namespace {

struct Programmatic {
  explicit Programmatic(EditText& e) : edit(e) { ++edit.programmatic; }
  ~Programmatic() { --edit.programmatic; }
  Programmatic(const Programmatic&) = delete;
  Programmatic& operator=(const Programmatic&) = delete;
  EditText& edit;
};

void ForgetPending(const ControlRecord& c) {
  auto& pending = TheBody().pendingEdits;
  pending.erase(std::remove(pending.begin(), pending.end(), std::make_pair(c.window, c.id)), pending.end());
}

void Selection(HWND hwnd, DWORD* start, DWORD* end) {
  SendMessageW(hwnd, EM_GETSEL, reinterpret_cast<WPARAM>(start), reinterpret_cast<LPARAM>(end));
}

void ReplaceShown(ControlRecord& c, const std::wstring& shown) {
  DWORD start = 0;
  DWORD end = 0;
  Selection(c.hwnd, &start, &end);
  Programmatic quiet(c.edit);
  SetWindowTextW(c.hwnd, shown.c_str());
  const auto limit = static_cast<DWORD>(shown.size());
  SendMessageW(c.hwnd, EM_SETSEL, std::min(start, limit), static_cast<LPARAM>(std::min(end, limit)));
}

// Units handed to the control at a time. Under Wine the EDIT control takes
// about a million units a second (laying out the lines), so one part keeps
// the window busy for a fraction of a second. Each part also costs the
// control something for the whole text, so a very long text goes in at
// most 16 parts (longer ones) and the total stays linear.
constexpr std::size_t kPartUnits = std::size_t{1} << 17;
constexpr std::size_t kMostParts = 16;

std::string_view ContentFrom(const EditText& e, std::size_t offset) {
  return std::string_view(e.content).substr(offset);
}

std::size_t UnitsOf(std::string_view bytes) {
  return static_cast<std::size_t>(BytesToShownUnits(bytes, static_cast<int>(bytes.size())));
}

// Whether `bytes`, put after a text that ends in a lone lead byte (when
// `afterLoneLead`) or not, leave the text ending in one.
bool EndsInLoneLead(std::string_view bytes, bool afterLoneLead) {
  std::size_t i = afterLoneLead && !bytes.empty() ? 1 : 0;
  bool lone = false;
  while (i < bytes.size()) {
    const bool lead = static_cast<unsigned char>(bytes[i]) >= 0x80;
    lone = lead && i + 1 == bytes.size();
    i += lead ? 2 : 1;
  }
  return lone || (afterLoneLead && bytes.empty());
}

// The shown form of the `units` units from the content byte `from` on;
// *bytes: how many bytes they are.
std::wstring ShownPart(const EditText& e, std::size_t from, std::size_t units, std::size_t* bytes) {
  const std::string_view rest = ContentFrom(e, from);
  *bytes = static_cast<std::size_t>(ShownUnitsToBytes(rest, static_cast<int>(units)));
  return ShownText(rest.data(), *bytes);
}

// `first` in place of all the control holds, the start of a text of `units`
// units. Replacing a long text, the control would copy it out before
// dropping it, and growing to a long one it would move its buffer once a
// part: a multiline control is handed a buffer of the final size instead,
// and its old one is freed.
void ShowFromStart(ControlRecord& c, const std::wstring& first, std::size_t units) {
  Programmatic quiet(c.edit);
  const bool multiLine = (c.design->style & kMultiLine) != 0;
  const auto shown = static_cast<std::size_t>(GetWindowTextLengthW(c.hwnd));
  if (multiLine && std::max(shown, units) > kPartUnits && units >= first.size()) {
    if (HLOCAL fresh = LocalAlloc(LMEM_MOVEABLE, (units + 1) * sizeof(wchar_t))) {
      if (auto* to = static_cast<wchar_t*>(LocalLock(fresh))) {
        std::copy(first.c_str(), first.c_str() + first.size() + 1, to);
        LocalUnlock(fresh);
        const auto old = reinterpret_cast<HLOCAL>(SendMessageW(c.hwnd, EM_GETHANDLE, 0, 0));
        SendMessageW(c.hwnd, EM_SETHANDLE, reinterpret_cast<WPARAM>(fresh), 0);
        if (old) LocalFree(old);
        return;
      }
      LocalFree(fresh);
    }
  }
  SetWindowTextW(c.hwnd, first.c_str());
}

// The next part, in place of whatever the control holds after `fed`.
void HandPart(ControlRecord& c) {
  EditText& e = c.edit;
  const std::size_t n = std::min(std::max(kPartUnits, e.units / kMostParts), e.units - e.fed);
  std::size_t bytes = 0;
  const std::wstring part = ShownPart(e, e.fedBytes, n, &bytes);
  if (e.fed == 0) {
    ShowFromStart(c, part, e.units);
  } else {
    Programmatic quiet(e);
    SendMessageW(c.hwnd, EM_SETSEL, static_cast<WPARAM>(e.fed), -1);
    SendMessageW(c.hwnd, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(part.c_str()));
  }
  e.fed += n;
  e.fedBytes += bytes;
}

// Selects units [from, to) and scrolls them into view; while the control
// is still being handed its text, they are selected once it is all there.
void SelectShown(ControlRecord& c, DWORD from, DWORD to) {
  if (c.edit.feeding) {
    c.edit.feedStart = from;
    c.edit.feedEnd = to;
    return;
  }
  SendMessageW(c.hwnd, EM_SETSEL, from, static_cast<LPARAM>(to));
  SendMessageW(c.hwnd, EM_SCROLLCARET, 0, 0);
}

void EndFeed(ControlRecord& c) {
  EditText& e = c.edit;
  KillTimer(c.hwnd, kFeedTimer);
  if (!e.feeding) return;
  e.feeding = false;
  Programmatic quiet(e);
  SendMessageW(c.hwnd, EM_SETREADONLY, (c.design->style & kReadOnlyEdit) != 0, 0);
  SelectShown(c, e.feedStart, e.feedEnd);
}

// The control holds the first `fed` units; the rest follow a part per tick,
// and [start, end) is selected once all are in.
void StartFeed(ControlRecord& c, DWORD start, DWORD end) {
  EditText& e = c.edit;
  e.feedStart = start;
  e.feedEnd = end;
  if (e.fed >= e.units) {
    e.feeding = true;
    EndFeed(c);
    return;
  }
  if (!e.feeding) {
    e.feeding = true;
    // Typing into a text that is not all there could not be told from
    // deleting its end.
    Programmatic quiet(e);
    SendMessageW(c.hwnd, EM_SETREADONLY, TRUE, 0);
  }
  SetTimer(c.hwnd, kFeedTimer, USER_TIMER_MINIMUM, nullptr);
}

}  // namespace

void FeedEdit(ControlRecord& c) {
  if (!c.edit.feeding) {
    KillTimer(c.hwnd, kFeedTimer);
    return;
  }
  HandPart(c);
  if (c.edit.fed >= c.edit.units) EndFeed(c);
}

void FinishFeeds() {
  for (auto& [id, w] : TheBody().windows) {
    for (auto& [control, c] : w->controls) {
      while (c->type == ControlType::EditBox && c->edit.feeding) FeedEdit(*c);
    }
  }
}

bool AnyFeeding() {
  for (auto& [id, w] : TheBody().windows) {
    for (auto& [control, c] : w->controls) {
      if (c->type == ControlType::EditBox && c->edit.feeding) return true;
    }
  }
  return false;
}

void FlushEdit(ControlRecord& c) {
  EditText& e = c.edit;
  if (e.pendingFrom >= e.content.size() && e.pendingDrop == 0) return;
  ForgetPending(c);
  const std::size_t units = e.units;
  const std::size_t drop = e.pendingDrop;
  // The units before the pending bytes, which stay as they are.
  const std::size_t kept = units - drop;
  const std::size_t added = UnitsOf(ContentFrom(e, e.pendingFrom));
  const bool many = added > kPartUnits;
  if (!e.feeding && !many) {
    std::size_t bytes = 0;
    const std::wstring shown = ShownPart(e, e.pendingFrom, added, &bytes);
    Programmatic quiet(e);
    SendMessageW(c.hwnd, EM_SETSEL, kept, static_cast<LPARAM>(units));
    SendMessageW(c.hwnd, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(shown.c_str()));
    SendMessageW(c.hwnd, EM_SCROLLCARET, 0, 0);
  } else if (!e.feeding || e.fed > kept) {
    // The part the control holds keeps only what did not change.
    e.fed = kept;
    e.fedBytes = e.pendingFrom;
  }
  e.units = kept + added;
  e.pendingFrom = e.content.size();
  e.pendingDrop = 0;
  if (e.feeding || many) {
    // An append ends with the caret at the end, scrolled into view.
    const auto end = static_cast<DWORD>(e.units);
    if (!e.feeding) HandPart(c);
    StartFeed(c, end, end);
  }
}

void HoldRedraw(ControlRecord& c) {
  auto& held = TheBody().heldRedraws;
  const auto key = std::make_pair(c.window, c.id);
  if (std::find(held.begin(), held.end(), key) != held.end()) return;
  SendMessageW(c.hwnd, WM_SETREDRAW, FALSE, 0);
  held.push_back(key);
}

void FlushAllEdits() {
  auto& pending = TheBody().pendingEdits;
  while (!pending.empty()) {
    const auto [window, id] = pending.back();
    pending.pop_back();
    if (ControlRecord* c = ControlOf(window, id, ControlType::EditBox)) FlushEdit(*c);
  }
  auto& held = TheBody().heldRedraws;
  while (!held.empty()) {
    const auto [window, id] = held.back();
    held.pop_back();
    if (ControlRecord* c = FindControlRecord(window, id); c && c->hwnd) {
      if (c->type == ControlType::ListView) SyncRowCount(*c);
      SendMessageW(c->hwnd, WM_SETREDRAW, TRUE, 0);
      InvalidateRect(c->hwnd, nullptr, TRUE);
    }
  }
}

// The user changed the text (typing, pasting, cutting).
void EditChanged(ControlRecord& c) {
  EditText& e = c.edit;
  // Read-only while it is handed a long text; the control holds only part of it.
  if (e.programmatic > 0 || e.feeding) return;
  std::wstring now(static_cast<std::size_t>(GetWindowTextLengthW(c.hwnd)) + 1, L'\0');
  now.resize(static_cast<std::size_t>(GetWindowTextW(c.hwnd, now.data(), static_cast<int>(now.size()))));
  const std::wstring before = ShownText(e.content);
  Text bytes;
  if (!ApplyTyping(e.content, before, now, &bytes)) {
    // Never stored approximated: the typing is undone.
    ReplaceShown(c, before);
    MessageBeep(MB_ICONWARNING);
    return;
  }
  bool lone = false;
  std::wstring shown = ShownText(bytes.data(), bytes.size(), &lone);
  // A lead byte left alone in the stored text may pair with what was typed.
  if (shown != now) ReplaceShown(c, shown);
  e.content = std::move(bytes);
  e.units = shown.size();
  e.pendingFrom = e.content.size();
  e.pendingDrop = 0;
  e.endsInLoneLead = lone;
  Raise(c.window, c.id, Event::ContentChanged);
}

}  // namespace win32_body

using namespace win32_body;

namespace {

ControlRecord* Edit(WindowId window, int id) { return ControlOf(window, id, ControlType::EditBox); }

void ApplySelection(ControlRecord& c) {
  FlushEdit(c);
  const EditText& e = c.edit;
  const int length = TextLength(e.content);
  const int start = std::clamp(e.rememberedStart, 0, length);
  const int count = std::clamp(e.rememberedLength, 0, length - start);
  const int from = BytesToShownUnits(e.content, start);
  const int to = BytesToShownUnits(e.content, start + count);
  SelectShown(c, static_cast<DWORD>(from), static_cast<DWORD>(to));
}

}  // namespace

Text EditBox::Content() const {
  ControlRecord* c = Edit(window(), id());
  return c ? c->edit.content : Text();
}

void EditBox::SetContent(Text text) const {
  ControlRecord* c = Edit(window(), id());
  if (!c) return;
  EditText& e = c->edit;
  ForgetPending(*c);
  e.content = std::move(text);
  e.units = UnitsOf(e.content);
  e.pendingFrom = e.content.size();
  e.pendingDrop = 0;
  e.endsInLoneLead = EndsInLoneLead(e.content, false);
  std::size_t bytes = 0;
  const std::wstring first = ShownPart(e, 0, std::min(e.units, kPartUnits), &bytes);
  if (e.units <= kPartUnits) EndFeed(*c);
  ShowFromStart(*c, first, e.units);
  if (e.units > kPartUnits) {
    e.fed = kPartUnits;
    e.fedBytes = bytes;
    DWORD start = 0;
    DWORD end = 0;
    Selection(c->hwnd, &start, &end);
    StartFeed(*c, start, end);
  }
  Raise(window(), id(), Event::ContentChanged);
}

void EditBox::AppendText(const Text& text) const {
  ControlRecord* c = Edit(window(), id());
  if (!c) return;
  EditText& e = c->edit;
  if (!text.empty()) {
    if (e.endsInLoneLead && e.pendingFrom >= e.content.size()) {
      // The lone lead byte and the first appended byte are one character
      // now: the control's last unit is shown again.
      e.pendingFrom = e.content.size() - 1;
      ++e.pendingDrop;
    }
    e.endsInLoneLead = EndsInLoneLead(text, e.endsInLoneLead);
    e.content += text;
  }
  if (e.pendingFrom >= e.content.size() && e.pendingDrop == 0) {
    // Nothing to add; the caret still goes to the end.
    const auto end = static_cast<DWORD>(e.units);
    SelectShown(*c, end, end);
  } else {
    auto& pending = TheBody().pendingEdits;
    const auto key = std::make_pair(window(), id());
    if (std::find(pending.begin(), pending.end(), key) == pending.end()) pending.push_back(key);
    if (TheBody().handlerDepth == 0) FlushEdit(*c);
  }
  Raise(window(), id(), Event::ContentChanged);
}

namespace {

// The control's selection as byte offsets of the content: {start, end}.
std::pair<int, int> SelectedBytes(ControlRecord& c) {
  FlushEdit(c);
  DWORD start = c.edit.feedStart;
  DWORD end = c.edit.feedEnd;
  if (!c.edit.feeding) Selection(c.hwnd, &start, &end);
  return {ShownUnitsToBytes(c.edit.content, static_cast<int>(std::min(start, end))),
          ShownUnitsToBytes(c.edit.content, static_cast<int>(std::max(start, end)))};
}

}  // namespace

int EditBox::SelectionStart() const {
  ControlRecord* c = Edit(window(), id());
  return c ? SelectedBytes(*c).first : 0;
}

int EditBox::SelectionLength() const {
  ControlRecord* c = Edit(window(), id());
  if (!c) return 0;
  const auto [start, end] = SelectedBytes(*c);
  return end - start;
}

void EditBox::SetSelectionStart(int value) const {
  ControlRecord* c = Edit(window(), id());
  if (!c) return;
  EditText& e = c->edit;
  if (value >= 0) {
    e.rememberedStart = value;
  } else if (value == -1) {
    e.rememberedStart = TextLength(e.content);
    e.rememberedLength = 0;
  } else {
    e.rememberedStart = 0;
  }
  ApplySelection(*c);
}

void EditBox::SetSelectionLength(int value) const {
  ControlRecord* c = Edit(window(), id());
  if (!c) return;
  EditText& e = c->edit;
  if (value >= 0) {
    e.rememberedLength = value;
  } else if (value == -1) {
    e.rememberedStart = 0;
    e.rememberedLength = TextLength(e.content);
  } else {
    e.rememberedLength = 0;
  }
  ApplySelection(*c);
}
