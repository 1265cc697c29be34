#include "rename/text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using batch::DecimalText;
using batch::LastBackslashPos;
using batch::LeftBytes;
using batch::RightBytes;
using batch::SplitLines;

namespace {

std::vector<std::string> Lines(std::string_view text) {
  std::vector<std::string> lines;
  for (const auto line : SplitLines(text)) lines.emplace_back(line);
  return lines;
}

struct SplitCase {
  std::string text;
  std::vector<std::string> lines;
};

class SplitLinesTable : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitLinesTable, SplitsOnCrLfAtCharacterStarts) {
  EXPECT_EQ(Lines(GetParam().text), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SplitLinesTable,
    testing::Values(
        SplitCase{"", {}},
        SplitCase{"A", {"A"}},
        SplitCase{"A\r\nB", {"A", "B"}},
        SplitCase{"A\r\n", {"A"}},
        SplitCase{"A\r\n\r\n", {"A", ""}},
        SplitCase{"\r\nA", {"", "A"}},
        SplitCase{"A\r\n\r\nB", {"A", "", "B"}},
        SplitCase{"\r\n", {""}},
        SplitCase{"\r\n\r\n", {"", ""}},
        SplitCase{"A\rB", {"A\rB"}},
        SplitCase{"A\nB", {"A\nB"}},
        SplitCase{"A\r\r\nB", {"A\r", "B"}},
        // 0x81 and the CR form one character, so this CR LF is no separator.
        SplitCase{"A\x81\r\nB", {"A\x81\r\nB"}},
        // 0x80 and 0xFF lead too; the separator after a whole character counts.
        SplitCase{"\x80\x41\r\n\xff\x42", {"\x80\x41", "\xff\x42"}},
        // A lead byte as the very last byte ends the scan and stays in the line.
        SplitCase{"A\r\n\x81", {"A", "\x81"}},
        SplitCase{"\xb5", {"\xb5"}},
        // A lone trailing CR or LF is an ordinary byte.
        SplitCase{"A\r", {"A\r"}},
        SplitCase{"\n", {"\n"}}));

struct BackslashCase {
  std::string text;
  std::int32_t position;
};

class LastBackslashTable : public testing::TestWithParam<BackslashCase> {};

TEST_P(LastBackslashTable, CountsOnlyBackslashesThatStartACharacter) {
  EXPECT_EQ(LastBackslashPos(GetParam().text), GetParam().position);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LastBackslashTable,
    testing::Values(BackslashCase{"", -1}, BackslashCase{"abc", -1},
                    BackslashCase{"\\", 1}, BackslashCase{"D:\\photo\\IMG_0001.JPG", 9},
                    // 淺 is 0x9C 0x5C: its second byte is no backslash.
                    BackslashCase{"D:\\photo\\\x9c\x5c.jpg", 9},
                    BackslashCase{"\x9c\x5c", -1},
                    // After an odd run of lead bytes the parity decides.
                    BackslashCase{"\x81\x81\x5c", 3},
                    BackslashCase{"\x81\x5c\\", 3},
                    BackslashCase{"C:/x/a.jpg", -1}));

TEST(ByteCuts, CountBytesAndClampToTheText) {
  EXPECT_EQ(LeftBytes("abcdef", 0), "");
  EXPECT_EQ(LeftBytes("abcdef", -5), "");
  EXPECT_EQ(LeftBytes("abcdef", 2), "ab");
  EXPECT_EQ(LeftBytes("abcdef", 6), "abcdef");
  EXPECT_EQ(LeftBytes("abcdef", 100), "abcdef");
  EXPECT_EQ(RightBytes("abcdef", 0), "");
  EXPECT_EQ(RightBytes("abcdef", -1), "");
  EXPECT_EQ(RightBytes("abcdef", 3), "def");
  EXPECT_EQ(RightBytes("ab", 3), "ab");
  EXPECT_EQ(RightBytes("", 3), "");
}

TEST(ByteCuts, MayCutATwoByteCharacterInHalf) {
  // D:\文档\说明: the last three bytes are the second byte of 说 and all of 明.
  EXPECT_EQ(RightBytes("D:\\\xce\xc4\xb5\xb5\\\xcb\xb5\xc3\xf7", 3), "\xb5\xc3\xf7");
  EXPECT_EQ(LeftBytes("\xce\xc4", 1), "\xce");
}

TEST(DecimalTextTest, WritesPlainDecimalLikePrintf) {
  EXPECT_EQ(DecimalText(1), "1");
  EXPECT_EQ(DecimalText(9), "9");
  EXPECT_EQ(DecimalText(10), "10");
  EXPECT_EQ(DecimalText(0), "0");
  EXPECT_EQ(DecimalText(-7), "-7");
  EXPECT_EQ(DecimalText(2147483647), "2147483647");
  EXPECT_EQ(DecimalText(-2147483647 - 1), "-2147483648");
}

}  // namespace
