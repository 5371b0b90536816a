// Offsets in edit boxes, over arbitrary bytes and arbitrary offsets.
//
// The first byte picks one of two checks:
//  - the byte <-> unit mapping of shown_offsets.h, with a stand-in
//    character set: the conversions round trip onto character starts, the
//    shown form has one unit per character, a copy never passes its buffer
//    and is the shown form's beginning, and typing keeps the stored bytes
//    of what the user did not change;
//  - the selection rules of the edit box on the memory body, against a
//    model written from the rules in controls.h, over sequences of content
//    writes, appends, typing and selection writes.
#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "primitives/driver.h"
#include "primitives/form.h"
#include "primitives/shown_offsets.h"
#include "fuzz_input.h"

namespace {

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "broken: %s\n", what);
  std::abort();
}

using Input = FuzzInput;

// A character set shaped like GBK: leads 0x81..0xFE, trails 0x40..0xFE
// without 0x7F; every other pair is no character. Each pair has its own
// unit, and typed text converts exactly back to the pairs' bytes.
class StandIn final : public ShownCharset {
 public:
  static constexpr wchar_t kFirst = 0x4E00;
  static constexpr int kTrails = 190;

  wchar_t PairUnit(unsigned char lead, unsigned char trail) const override {
    if (lead < 0x81 || lead > 0xFE || trail < 0x40 || trail > 0xFE || trail == 0x7F) return kShownReplacement;
    return static_cast<wchar_t>(kFirst + (lead - 0x81) * kTrails + (trail - 0x40 - (trail > 0x7F ? 1 : 0)));
  }
  bool ToBytes(const std::wstring& wide, Text* bytes) const override {
    bytes->clear();
    for (const wchar_t unit : wide) {
      if (unit >= 0 && unit < 0x80) {
        bytes->push_back(static_cast<char>(unit));
        continue;
      }
      const int index = static_cast<int>(unit) - kFirst;
      if (index < 0 || index >= 126 * kTrails) return false;
      const int trail = 0x40 + index % kTrails;
      bytes->push_back(static_cast<char>(0x81 + index / kTrails));
      bytes->push_back(static_cast<char>(trail + (trail >= 0x7F ? 1 : 0)));
    }
    return true;
  }
};

// Where the characters of `bytes` begin, and the end: a byte of 0x80 or
// above takes the next byte with it, a lone last byte stands alone.
std::vector<int> CharacterStarts(const Text& bytes) {
  std::vector<int> starts;
  int i = 0;
  const int n = static_cast<int>(bytes.size());
  while (i < n) {
    starts.push_back(i);
    i += static_cast<unsigned char>(bytes[static_cast<std::size_t>(i)]) >= 0x80 && i + 1 < n ? 2 : 1;
  }
  starts.push_back(n);
  return starts;
}

// The last character start at or before `offset`, which is within the text.
int FloorToCharacter(const std::vector<int>& starts, int offset) {
  return *(std::upper_bound(starts.begin(), starts.end(), offset) - 1);
}

std::size_t CommonPrefix(const std::wstring& a, const std::wstring& b) {
  std::size_t n = 0;
  while (n < a.size() && n < b.size() && a[n] == b[n]) ++n;
  return n;
}

std::size_t CommonSuffix(const std::wstring& a, const std::wstring& b) {
  std::size_t n = 0;
  while (n < a.size() && n < b.size() && a[a.size() - 1 - n] == b[b.size() - 1 - n]) ++n;
  return n;
}

bool StartsWith(const Text& text, const Text& head) { return text.compare(0, head.size(), head) == 0; }

void CheckMapping(Input& in) {
  static const StandIn charset;
  const int a = in.Int16();
  const int b = in.Int16();
  const Text typedBytes = in.Bytes(static_cast<std::size_t>(in.Byte() % 8));
  const Text stored = in.Bytes(in.size);
  const std::vector<int> starts = CharacterStarts(stored);
  const int size = static_cast<int>(stored.size());
  const int characters = static_cast<int>(starts.size()) - 1;

  bool lone = false;
  const std::wstring shown = ShownText(stored.data(), stored.size(), charset, &lone);
  if (static_cast<int>(shown.size()) != characters) Fail("one unit per character");
  for (int k = 0; k < characters; ++k) {
    const auto lead = static_cast<unsigned char>(stored[starts[k]]);
    const int width = starts[k + 1] - starts[k];
    const wchar_t expected = lead < 0x80   ? static_cast<wchar_t>(lead)
                             : width == 2  ? charset.PairUnit(lead, static_cast<unsigned char>(stored[starts[k] + 1]))
                                           : kShownReplacement;
    if (shown[k] != expected) Fail("the unit of a character");
  }
  const bool endsInLoneLead = characters > 0 && starts[characters] - starts[characters - 1] == 1 &&
                              static_cast<unsigned char>(stored.back()) >= 0x80;
  if (lone != endsInLoneLead) Fail("the lone lead byte at the end");

  // Offsets: the two given, the edges and just past them, and every one of
  // a short text.
  std::vector<int> offsets = {a, b, -1, 0, 1, size - 1, size, size + 1, characters, characters + 1, INT_MIN, INT_MAX};
  if (size <= 64) {
    for (int i = 0; i <= size + 1; ++i) offsets.push_back(i);
  }
  for (const int bytes : offsets) {
    const int units = BytesToShownUnits(stored, bytes);
    const int back = ShownUnitsToBytes(stored, units);
    if (back != FloorToCharacter(starts, std::clamp(bytes, 0, size))) Fail("bytes to units and back: the character start at or before");
  }
  for (const int units : offsets) {
    const int bytes = ShownUnitsToBytes(stored, units);
    const int clamped = std::clamp(units, 0, characters);
    if (bytes != starts[clamped]) Fail("units to bytes: the start of that character");
    if (BytesToShownUnits(stored, bytes) != clamped) Fail("units to bytes and back");
  }

  // Copies into buffers of exactly their capacity: AddressSanitizer sees a
  // write past it.
  for (const int capacity : {a % 80, b % 80, 0, 1, 2, characters, characters + 1, characters + 2}) {
    const std::size_t room = static_cast<std::size_t>(std::max(capacity, 1));
    const auto buffer = std::make_unique<wchar_t[]>(room);
    std::fill_n(buffer.get(), room, L'#');
    CopyShownText(stored, buffer.get(), capacity, charset);
    if (capacity <= 0) {
      if (buffer[0] != L'#') Fail("no room, nothing written");
      continue;
    }
    const std::size_t n = std::min(shown.size(), static_cast<std::size_t>(capacity - 1));
    if (buffer[n] != L'\0' || shown.compare(0, n, buffer.get(), n) != 0) Fail("the copy is the shown beginning");
  }

  // Typing. Nothing changed: the stored bytes, invalid ones included.
  Text result = "untouched";
  if (!ApplyTyping(stored, shown, shown, charset, &result) || result != stored) Fail("an unchanged text keeps its bytes");

  // The units from p to q replaced by what was typed.
  std::size_t p = static_cast<std::size_t>(std::abs(a)) % (shown.size() + 1);
  std::size_t q = static_cast<std::size_t>(std::abs(b)) % (shown.size() + 1);
  if (p > q) std::swap(p, q);
  const std::wstring typed = ShownText(typedBytes.data(), typedBytes.size(), charset);
  const std::wstring after = shown.substr(0, p) + typed + shown.substr(q);
  Text typedAsBytes;
  const bool converts = charset.ToBytes(typed, &typedAsBytes);
  result = "untouched";
  const bool applied = ApplyTyping(stored, shown, after, charset, &result);
  if (!applied) {
    if (converts) Fail("typing that converts is refused");
    if (result != "untouched") Fail("a refused typing wrote its result");
    return;
  }
  const Text head = stored.substr(0, static_cast<std::size_t>(starts[p]));
  const Text tail = stored.substr(static_cast<std::size_t>(starts[q]));
  if (!StartsWith(result, head)) Fail("the unchanged beginning keeps its bytes");
  // Where the texts before and after differ only around the edit, that is
  // the whole story. Elsewhere the difference cannot tell which of equal
  // units were kept: valid characters give the same bytes either way.
  const bool located = CommonPrefix(shown, after) == p && CommonSuffix(shown, after) == shown.size() - q;
  if ((located || shown.find(kShownReplacement) == std::wstring::npos) && converts &&
      result != head + typedAsBytes + tail) {
    Fail("the unchanged end keeps its bytes, the typed middle is converted");
  }
  // The stored text shows as typed, unless its lone last lead byte now
  // pairs with a typed byte.
  const bool leadPairs = lone && result.size() > stored.size() && StartsWith(result, stored);
  if (!leadPairs && ShownText(result.data(), result.size(), charset) != after) Fail("the result shows as typed");
}

// ---- the edit box selection rules ----

constexpr WindowId kWindow = 1;
constexpr int kEditable = 1;
constexpr int kReadOnly = 2;
int changes[3] = {};
void EditableChanged() { ++changes[kEditable]; }
void ReadOnlyChanged() { ++changes[kReadOnly]; }

Form EditForm() {
  Form form;
  form.window = kWindow;
  form.caption = "edit";
  form.geometry = {0, 0, 400, 300};
  form.controls = {
      {.type = ControlType::EditBox, .id = kEditable, .geometry = {0, 0, 200, 20}},
      {.type = ControlType::EditBox, .id = kReadOnly, .geometry = {0, 30, 200, 200},
       .style = kMultiLine | kReadOnlyEdit},
  };
  form.bindings = {{kEditable, Event::ContentChanged, &EditableChanged},
                   {kReadOnly, Event::ContentChanged, &ReadOnlyChanged}};
  return form;
}

// The box as the rules describe it: a remembered start and length, and
// what they select in whole characters (the real control selects units).
struct Model {
  Text content;
  int start = 0;
  int length = 0;
  int selectionStart = 0;
  int selectionLength = 0;

  int Size() const { return static_cast<int>(content.size()); }
  void Select() {
    const std::vector<int> starts = CharacterStarts(content);
    const std::int64_t from = std::clamp<std::int64_t>(start, 0, Size());
    const std::int64_t to = std::clamp<std::int64_t>(from + std::max(length, 0), 0, Size());
    selectionStart = FloorToCharacter(starts, static_cast<int>(from));
    selectionLength = FloorToCharacter(starts, static_cast<int>(to)) - selectionStart;
  }
  void CaretAtEnd() {
    selectionStart = Size();
    selectionLength = 0;
  }
};

Text EditText(Input& in) {
  // Lead and trail bytes, line ends and the odd arbitrary byte.
  static const char kAlphabet[] = {'a', 'b', '\xD6', '\xD0', '\x81', '\x40', '\xFF', '\r', '\n', ' '};
  Text text;
  for (int n = in.Byte() % 9; n > 0; --n) {
    const int pick = in.Byte();
    if (pick < 200) {
      text += kAlphabet[pick % sizeof kAlphabet];
    } else if (const int raw = in.Byte(); raw != 0) {
      text += static_cast<char>(raw);
    }
  }
  return text;
}

int SelectionValue(Input& in, const Model& m) {
  const int pick = in.Byte();
  switch (pick % 12) {
    case 0: return INT_MIN;
    case 1: return -2;
    case 2: return -1;
    case 3: return 0;
    case 4: return 1;
    case 5: return m.Size() - 1;
    case 6: return m.Size();
    case 7: return m.Size() + 1;
    case 8: return INT_MAX;
    case 9: return in.Int16();
    default: return pick / 12;
  }
}

void CheckEditBox(Input& in) {
  driver::Reset();
  LoadWindow(EditForm());
  changes[kEditable] = changes[kReadOnly] = 0;
  Model models[3];
  int expectedChanges[3] = {};
  for (int steps = 0; in.size > 0 && steps < 64; ++steps) {
    const int op = in.Byte();
    const int id = op & 1 ? kReadOnly : kEditable;
    const EditBox box{kWindow, id};
    Model& m = models[id];
    switch ((op >> 1) % 5) {
      case 0: {
        const Text text = EditText(in);
        box.SetContent(text);
        m.content = text;
        m.selectionStart = m.selectionLength = 0;
        ++expectedChanges[id];
        break;
      }
      case 1: {
        const Text text = EditText(in);
        box.AppendText(text);
        m.content += text;
        m.CaretAtEnd();
        ++expectedChanges[id];
        break;
      }
      case 2: {
        const int v = SelectionValue(in, m);
        box.SetSelectionStart(v);
        if (v >= 0) {
          m.start = v;
        } else if (v == -1) {
          m.start = m.Size();
          m.length = 0;
        } else {
          m.start = 0;
        }
        m.Select();
        break;
      }
      case 3: {
        const int v = SelectionValue(in, m);
        box.SetSelectionLength(v);
        if (v >= 0) {
          m.length = v;
        } else if (v == -1) {
          m.start = 0;
          m.length = m.Size();
        } else {
          m.length = 0;
        }
        m.Select();
        break;
      }
      case 4: {
        const Text text = EditText(in);
        driver::TypeText(box, text);
        if (id == kEditable) {  // the other refuses the user's typing
          m.content = text;
          m.CaretAtEnd();
          ++expectedChanges[id];
        }
        break;
      }
    }
    for (const int each : {kEditable, kReadOnly}) {
      const EditBox b{kWindow, each};
      const Model& e = models[each];
      if (b.Content() != e.content) Fail("content");
      if (b.SelectionStart() != e.selectionStart) Fail("selection start");
      if (b.SelectionLength() != e.selectionLength) Fail("selection length");
      if (changes[each] != expectedChanges[each]) Fail("one content-changed per write");
    }
  }
  driver::Reset();
}

void Ignore(const Text&) {}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input in{data, size};
  driver::OnUnexpected(&Ignore);
  if (in.Byte() % 2 == 0) {
    CheckMapping(in);
  } else {
    CheckEditBox(in);
  }
  return 0;
}
