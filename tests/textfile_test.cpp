#include "primitives/textfile.h"

#include <gtest/gtest.h>

#include "scratch_folder.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

namespace fs = std::filesystem;

class TextFileTest : public testing::Test {
 protected:
  Text Fixture(const std::string& name, const std::string& bytes) { return scratch_.Fixture(name, bytes); }
  Text PathOf(const std::string& name) const { return scratch_.PathOf(name); }
  static std::string Contents(const Text& path) { return ScratchFolder::Contents(path); }

 private:
  ScratchFolder scratch_;
};

struct ReadCase {
  const char* name;
  std::string bytes;
  std::vector<Text> lines;
  std::int64_t endMark;  // where the text ended early, or -1
};

std::string Repeat(char c, std::size_t n) { return std::string(n, c); }

TEST_F(TextFileTest, ReadLineCases) {
  using namespace std::string_literals;
  const ReadCase cases[] = {
      {"CR LF and LF line ends", "a\r\nb\nc", {"a", "b", "c"}, -1},
      {"only the last CR goes", "a\r\r\n", {"a\r"}, -1},
      {"a CR inside stays", "a\rb\n", {"a\rb"}, -1},
      {"NUL ends the text", "x\0y\n"s, {"x"}, 1},
      {"0x1A ends the text", "p\x1Aq\n", {"p"}, 1},
      {"empty file", "", {}, -1},
      {"final line without a line end", "one\ntwo", {"one", "two"}, -1},
      {"a final line feed adds no line", "one\n", {"one"}, -1},
      {"empty lines", "\n\r\n\n", {"", "", ""}, -1},
      {"line longer than a block", Repeat('k', 1500) + "\nz", {Repeat('k', 1500), "z"}, -1},
      {"trail byte LF does not end the line", "\x81\n\nz", {"\x81\n", "z"}, -1},
      {"trail byte 0x1A does not end the text", "\x81\x1A\n", {"\x81\x1A"}, -1},
      {"character across the 512-byte block end", Repeat('a', 511) + "\x81\n\nz",
       {Repeat('a', 511) + "\x81\n", "z"}, -1},
      {"character across a 64 KiB read end", Repeat('a', 65535) + "\x81\n\nz",
       {Repeat('a', 65535) + "\x81\n", "z"}, -1},
      {"lead byte before NUL stands alone", "a\x81\0b"s, {"a\x81"}, 2},
      {"lead byte at the end of the file", "a\x81", {"a\x81"}, -1},
      {"CR before NUL goes", "a\r\0"s, {"a"}, 2},
      {"NUL after lines", "l1\nl2\n\0tail"s, {"l1", "l2"}, 6},
      {"NUL first", "\0[s]\n"s, {}, 0},
  };
  for (const ReadCase& c : cases) {
    const FileHandle h = OpenTextFile(Fixture("read.txt", c.bytes));
    ASSERT_NE(h, 0) << c.name;
    std::vector<Text> lines;
    while (!AtEndOfFile(h) && lines.size() <= c.lines.size()) lines.push_back(ReadLine(h));
    EXPECT_EQ(lines, c.lines) << c.name;
    const ReadingStop stop = HowReadingStops(h);
    EXPECT_EQ(stop.endMarkOffset, c.endMark) << c.name;
    EXPECT_FALSE(stop.readFailed) << c.name;
    EXPECT_EQ(ReadLine(h), "") << c.name << ": reading on at the end";
    CloseTextFile(h);
  }
}

TEST_F(TextFileTest, HandleZeroDoesNothing) {
  EXPECT_EQ(ReadLine(0), "");
  EXPECT_TRUE(AtEndOfFile(0));
  EXPECT_FALSE(SeekToStart(0));
  EXPECT_EQ(TextFileSize(0), -1);
  EXPECT_FALSE(WriteText(0, "x"));
  CloseTextFile(0);
  EXPECT_EQ(ReadLine(12345), "") << "a handle never opened";
}

TEST_F(TextFileTest, OpenRefusals) {
  const Text path = Fixture("exists.txt", "data\n");
  EXPECT_EQ(OpenTextFile(""), 0) << "empty name";
  EXPECT_EQ(OpenTextFile(PathOf("missing.txt")), 0) << "mode 3 does not create";
  EXPECT_EQ(OpenTextFile(PathOf("missing.txt"), kReadOnly), 0);
  EXPECT_EQ(OpenTextFile(path, 2), 0) << "unknown mode";
  EXPECT_EQ(OpenTextFile(path, 0), 0) << "unknown mode";
  EXPECT_EQ(OpenTextFile(PathOf(""), kReadWrite), 0) << "a folder";
#ifdef _WIN32
  // 0x81 followed by "." is no GBK character: the name is refused rather
  // than approximated to some other file.
  EXPECT_EQ(OpenTextFile(PathOf("bad\x81.txt"), kCreate), 0);
#endif
  EXPECT_EQ(Contents(path), "data\n") << "nothing touched";
}

TEST_F(TextFileTest, ReadOnlyFileOpensForReadingOnly) {
  const Text path = Fixture("locked.ini", "[s]\nk=v\n");
  ScratchFolder::MakeReadOnly(path);
  EXPECT_EQ(OpenTextFile(path), 0) << "the default mode asks for write access";
  EXPECT_EQ(OpenTextFile(path, kCreate), 0);
  const FileHandle h = OpenTextFile(path, kReadOnly);
  ASSERT_NE(h, 0);
  EXPECT_EQ(ReadLine(h), "[s]");
  EXPECT_EQ(ReadLine(h), "k=v");
  EXPECT_TRUE(AtEndOfFile(h));
  EXPECT_FALSE(WriteText(h, "x")) << "no write access";
  CloseTextFile(h);
  EXPECT_EQ(Contents(path), "[s]\nk=v\n");
}

TEST_F(TextFileTest, CreateEmptiesAndWritesBytesUnchanged) {
  const Text path = Fixture("out.txt", "old content that is longer\n");
  const FileHandle h = OpenTextFile(path, kCreate);
  ASSERT_NE(h, 0);
  EXPECT_EQ(Contents(path), "") << "mode 4 empties the file";
  EXPECT_TRUE(WriteText(h, ""));
  EXPECT_TRUE(WriteText(h, "[\xB7\xD6\xC0\xE0]\r\n"));
  EXPECT_TRUE(WriteText(h, "a\nb\r"));
  CloseTextFile(h);
  EXPECT_EQ(Contents(path), "[\xB7\xD6\xC0\xE0]\r\na\nb\r") << "no translation, nothing added";

  const Text created = PathOf("new.txt");
  const FileHandle n = OpenTextFile(created, kCreate);
  ASSERT_NE(n, 0) << "mode 4 creates";
  CloseTextFile(n);
  EXPECT_TRUE(fs::exists(fs::path(created)));
}

TEST_F(TextFileTest, ReadWriteSeekAndWriteErrorKeepsPosition) {
  const Text path = Fixture("rw.txt", "first\nsecond\n");
  const FileHandle h = OpenTextFile(path);
  ASSERT_NE(h, 0);
  EXPECT_EQ(ReadLine(h), "first");
  EXPECT_TRUE(WriteText(h, "SEC")) << "writes at the position after the line";
  EXPECT_EQ(ReadLine(h), "ond");
  EXPECT_TRUE(SeekToStart(h));
  EXPECT_EQ(ReadLine(h), "first");
  CloseTextFile(h);
  EXPECT_EQ(Contents(path), "first\nSECond\n");

  // A failed write leaves the position where the write began.
  const FileHandle r = OpenTextFile(path, kReadOnly);
  ASSERT_NE(r, 0);
  EXPECT_EQ(TextFileSize(r), 13);
  EXPECT_EQ(ReadLine(r), "first");
  EXPECT_FALSE(WriteText(r, "zzz"));
  EXPECT_EQ(ReadLine(r), "SECond");
  CloseTextFile(r);
}

TEST_F(TextFileTest, ReadErrorDiscardsTheLineAndEndsTheFile) {
  const Text path = Fixture("w.txt", "");
  const FileHandle h = OpenTextFile(path, kCreate);
  ASSERT_NE(h, 0);
  ASSERT_TRUE(WriteText(h, "written\n"));
  // A write-only file cannot be read: that is a read error.
  EXPECT_EQ(ReadLine(h), "");
  EXPECT_TRUE(HowReadingStops(h).readFailed);
  EXPECT_TRUE(AtEndOfFile(h));
  EXPECT_TRUE(SeekToStart(h));
  EXPECT_FALSE(HowReadingStops(h).readFailed) << "a seek starts afresh";
  CloseTextFile(h);
}

TEST_F(TextFileTest, HandlesStayValidUntilClosed) {
  const FileHandle a = OpenTextFile(Fixture("a.txt", "A\n"));
  const FileHandle b = OpenTextFile(Fixture("b.txt", "B\n"));
  ASSERT_NE(a, 0);
  ASSERT_NE(b, 0);
  EXPECT_NE(a, b);
  CloseTextFile(a);
  EXPECT_EQ(ReadLine(a), "") << "closed";
  EXPECT_EQ(ReadLine(b), "B");
  CloseTextFile(b);
}

}  // namespace
