#include "primitives/text.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "primitives/text_column.h"

namespace {

// A two-byte character whose trail byte is "]" (0x5D), as in many GBK
// characters; searches must never match on it.
const Text kTrailBracket = "\x81\x5D";

struct FindCase {
  const char* name;
  Text text;
  Text what;
  int start;
  int expected;
};

TEST(FindText, Cases) {
  const FindCase cases[] = {
      {"empty what in abc", "abc", "", 1, 1},
      {"empty what in empty text", "", "", 1, -1},
      {"empty what from past the end", "abc", "", 4, -1},
      {"empty what gives 1, not the start", "abc", "", 3, 1},
      {"start past the last byte", "abc", "c", 4, -1},
      {"start 0 counts as 1", "abc", "b", 0, 2},
      {"negative start counts as 1", "abc", "a", -7, 1},
      {"match after the start", "abcb", "b", 3, 4},
      {"match at the start", "abcb", "b", 2, 2},
      {"what longer than the rest", "abc", "bcd", 1, -1},
      {"case-sensitive", "ABC", "b", 1, -1},
      {"trail byte 0x5D is no bracket", kTrailBracket + "]", "]", 1, 3},
      {"trail byte 0x5D in the middle", "a" + kTrailBracket + "b]", "]", 1, 5},
      {"two-byte character found whole", "ab" + kTrailBracket, kTrailBracket, 1, 3},
      {"lead byte run pairs up", "\xB0\xA1\xB0\xA1]", "]", 1, 5},
      {"start inside a character still scans from there", "\xB0]]", "]", 2, 2},
      {"match spanning characters", "x\xB0\xA1y", "\xA1y", 1, -1},
      {"lone lead byte at the end", "ab\x81", "\x81", 1, 3},
  };
  for (const FindCase& c : cases) {
    EXPECT_EQ(FindText(c.text, c.what, c.start), c.expected) << c.name;
  }
  EXPECT_EQ(FindText("abc", "c"), 3) << "default start";
}

TEST(FindTextBackward, Cases) {
  const FindCase cases[] = {
      {"abcabc limit 7", "abcabc", "abc", 7, 4},
      {"abcabc limit 6: the match at 4 would reach past byte 5", "abcabc", "abc", 6, 1},
      {"abcabc without a limit", "abcabc", "abc", kNoLimit, 4},
      {"limit 1", "abc", "a", 1, -1},
      {"limit 1, empty what", "abc", "", 1, -1},
      {"limit 0", "abc", "a", 0, -1},
      {"negative limit", "abc", "a", -3, -1},
      {"limit past the end", "ab", "b", 100, 2},
      {"empty what", "ab", "", 2, 1},
      {"empty text", "", "a", kNoLimit, -1},
      {"overlapping matches: the last", "aaaa", "aa", kNoLimit, 3},
      {"trail byte 0x5D is no bracket", "]" + kTrailBracket, "]", kNoLimit, 1},
      {"bracket after the character", kTrailBracket + "]", "]", kNoLimit, 3},
      {"abcabcabc from the end", "abcabcabc", "abc", 10, 7},
      {"abcabcabc before the last", "abcabcabc", "abc", 8, 4},
  };
  for (const FindCase& c : cases) {
    EXPECT_EQ(FindTextBackward(c.text, c.what, c.start), c.expected) << c.name;
  }
  EXPECT_EQ(FindTextBackward("abcabc", "abc"), 4) << "default limit";
}

TEST(RightPart, CountsBytes) {
  EXPECT_EQ(RightPart("ab", 5), "ab");
  EXPECT_EQ(RightPart("abc", 2), "bc");
  EXPECT_EQ(RightPart("", 3), "");
  EXPECT_EQ(RightPart("abc", 0), "");
  EXPECT_EQ(RightPart("abc", -2), "");
  // The right byte of a line ending in a two-byte character is its trail
  // byte alone: a line ending in 0x5D ends in "]".
  EXPECT_EQ(RightPart("x" + kTrailBracket, 1), "]");
  EXPECT_TRUE(TextsEqual(RightPart("[" + kTrailBracket, 1), "]"));
}

TEST(TextBasics, SpacesToTextJoinAndEquality) {
  EXPECT_EQ(Spaces(0), "");
  EXPECT_EQ(Spaces(-3), "");
  EXPECT_EQ(Spaces(4), "    ");
  EXPECT_EQ(ToText(12.0), "12");
  EXPECT_EQ(ToText(2.5), "2.5");
  EXPECT_EQ(ToText(-5), "-5");
  EXPECT_EQ(ToText(-2147483647 - 1), "-2147483648");
  EXPECT_EQ(Text() + Text() + Text(), "");
  EXPECT_EQ(TextLength("修改后"), 6) << "narrow literals are GBK bytes";
  EXPECT_EQ(Text("修改后"), "\xD0\xDE\xB8\xC4\xBA\xF3");
  EXPECT_TRUE(TextsEqual("", Text()));
  EXPECT_FALSE(TextsEqual("a", "A"));
}

// Inserts and appends (some with the separator after them in the buffer),
// in-place and growing sets (also from a view of the column's own bytes, or
// of bytes another column shared), erases and the compaction they trigger,
// against a plain vector; joins with and without that separator after
// every change.
TEST(TextColumn, MatchesAVectorOfTextsThroughEveryChange) {
  TextColumn column;
  std::vector<Text> model;
  std::mt19937 random(7);
  TextColumn source;
  for (int i = 0; i < 100; ++i) {
    source.AppendFollowedBy(Text(static_cast<std::size_t>(i % 30), static_cast<char>('A' + i % 26)), "\r\n");
  }
  source.Share();
  // Joins between changes too: a join must never answer from what the
  // column held before its last change.
  const auto joinedModel = [&](const Text& separator, auto keep) {
    Text joined;
    for (std::size_t i = 0; i < model.size(); ++i) {
      if (keep(static_cast<int>(i))) joined += model[i] + separator;
    }
    return joined;
  };
  const auto even = [](int i) { return i % 2 == 0; };
  const auto notThirds = [](int i) { return i % 3 != 0; };
  const auto check = [&] {
    ASSERT_EQ(column.Count(), static_cast<int>(model.size()));
    for (int i = 0; i < column.Count(); ++i) ASSERT_EQ(column.Get(i), model[static_cast<std::size_t>(i)]) << i;
    ASSERT_EQ(column.Joined("\r\n"), joinedModel("\r\n", TextColumn::KeepAll{}));
    ASSERT_EQ(column.Joined("|", even), joinedModel("|", even));
    ASSERT_EQ(column.Joined(""), joinedModel("", TextColumn::KeepAll{}));
    // The same separator as the next check's first join.
    ASSERT_EQ(column.Joined("\r\n", notThirds), joinedModel("\r\n", notThirds));
  };
  const auto someText = [&] { return Text(random() % 40, static_cast<char>('a' + random() % 26)); };
  for (int step = 0; step < 20000; ++step) {
    const int count = column.Count();
    const int at = count ? static_cast<int>(random() % static_cast<unsigned>(count)) : 0;
    switch (count < 50 ? 0 : random() % 6) {
      case 0: {
        const Text text = someText();
        if (random() % 3 == 0) {
          column.AppendFollowedBy(text, "\r\n");
          model.push_back(text);
        } else {
          column.Insert(at, text);
          model.insert(model.begin() + at, text);
        }
        break;
      }
      case 4: {
        const std::string_view shared = source.View(static_cast<int>(random() % 100));
        if (random() % 2) {
          column.Insert(at, shared);
          model.insert(model.begin() + at, Text(shared));
        } else {
          column.Set(at, shared);
          model[static_cast<std::size_t>(at)] = Text(shared);
        }
        break;
      }
      case 1:
      case 2: {
        const Text text = someText();
        column.Set(at, text);
        model[static_cast<std::size_t>(at)] = text;
        break;
      }
      case 3: {
        // A part of another text of the same column, shorter or longer.
        const int from = static_cast<int>(random() % static_cast<unsigned>(count));
        const std::string_view view = column.View(from);
        const Text text(view.substr(view.size() / 2));
        column.Set(at, view.substr(view.size() / 2));
        model[static_cast<std::size_t>(at)] = text;
        break;
      }
      default: {
        const int erased = std::min(count - at, static_cast<int>(random() % 3) + 1);
        column.Erase(at, erased);
        model.erase(model.begin() + at, model.begin() + at + erased);
      }
    }
    check();
  }
  check();
  column.Clear();
  EXPECT_EQ(column.Count(), 0);
  EXPECT_EQ(column.Joined("\r\n"), "");
}

// Views refer to a file's lines rather than copying them: editing a view,
// dropping the lines or sharing the next file's must leave every other
// column's texts as they were.
TEST(TextColumn, SharedLinesStayAsTheyWereForEveryColumnThatShowsThem) {
  auto lines = std::make_unique<TextColumn>();
  for (const char* line : {"[甲]", "键=值", "x"}) lines->AppendFollowedBy(line, "\r\n");
  lines->Share();
  EXPECT_EQ(lines->Joined("\r\n"), "[甲]\r\n键=值\r\nx\r\n");
  TextColumn shown;
  for (int i = 0; i < lines->Count(); ++i) shown.Append(lines->View(i));
  shown.Set(1, "k");  // shorter: must not be written over the shared bytes
  shown.Set(2, lines->View(0));
  EXPECT_EQ(lines->Joined("|"), "[甲]|键=值|x|");
  EXPECT_EQ(shown.Joined("|"), "[甲]|k|[甲]|");

  lines.reset();
  TextColumn next{"[乙]"};
  next.Share();
  shown.Insert(0, next.View(0));  // another file's bytes while the first's are in use: copied
  shown.Set(3, next.View(0));
  EXPECT_EQ(shown.Joined("|"), "[乙]|[甲]|k|[乙]|");
  shown.Erase(1, 3);
  shown.Append(next.View(0));  // none of the first file's left: the next's are referred to
  EXPECT_EQ(shown.Joined("|"), "[乙]|[乙]|");
}

}  // namespace
