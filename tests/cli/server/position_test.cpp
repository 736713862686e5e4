#include "cli/server/position.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace lyre::server {
namespace {

constexpr auto U8 = PositionEncoding::Utf8;
constexpr auto U16 = PositionEncoding::Utf16;

// "é" is two bytes and one UTF-16 unit; "😀" four bytes and two units.
const std::string e_acute = "\xC3\xA9";
const std::string grin = "\xF0\x9F\x98\x80";

struct ColumnCase {
  const char* name;
  std::string line;
  PositionEncoding encoding;
  std::size_t character;  // in the encoding
  std::size_t column;     // in bytes
};

void PrintTo(const ColumnCase& c, std::ostream* os) { *os << c.name; }

class ByteColumnTest : public ::testing::TestWithParam<ColumnCase> {};

TEST_P(ByteColumnTest, CountsToBytes) {
  EXPECT_EQ(byte_column(GetParam().line, GetParam().character, GetParam().encoding),
            GetParam().column);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ByteColumnTest,
    ::testing::Values(ColumnCase{"AsciiStart", "abc", U16, 0, 0},
                      ColumnCase{"AsciiInside", "abc", U16, 2, 2},
                      ColumnCase{"AsciiEnd", "abc", U16, 3, 3},
                      ColumnCase{"PastEndClamps", "abc", U16, 99, 3},
                      ColumnCase{"EmptyLine", "", U8, 5, 0},
                      ColumnCase{"TwoByteInUtf16", e_acute + "x", U16, 1, 2},
                      ColumnCase{"TwoByteInUtf8", e_acute + "x", U8, 2, 2},
                      ColumnCase{"InsideTwoByteSnapsBack", e_acute + "x", U8, 1, 0},
                      ColumnCase{"AfterSurrogatePair", grin + "x", U16, 2, 4},
                      ColumnCase{"BetweenSurrogatesSnapsBack", grin + "x", U16, 1, 0},
                      ColumnCase{"FourByteInUtf8", grin + "x", U8, 4, 4},
                      ColumnCase{"InsideFourByteSnapsBack", grin + "x", U8, 3, 0},
                      ColumnCase{"InvalidByteIsOneUnit",
                                 "\xFF"
                                 "a",
                                 U16, 1, 1},
                      ColumnCase{"TruncatedSequenceIsOneUnit",
                                 "\xE2\x82"
                                 "a",
                                 U16, 1, 2},
                      ColumnCase{"TruncatedSequenceInUtf8",
                                 "\xE2\x82"
                                 "a",
                                 U8, 1, 0}));

class EncodedColumnTest : public ::testing::TestWithParam<ColumnCase> {};

TEST_P(EncodedColumnTest, CountsFromBytes) {
  EXPECT_EQ(encoded_column(GetParam().line, GetParam().column, GetParam().encoding),
            GetParam().character);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, EncodedColumnTest,
    ::testing::Values(ColumnCase{"AsciiInside", "abc", U16, 2, 2},
                      ColumnCase{"PastEndClamps", "abc", U16, 3, 99},
                      ColumnCase{"TwoByteInUtf16", e_acute + "x", U16, 1, 2},
                      ColumnCase{"TwoByteInUtf8", e_acute + "x", U8, 2, 2},
                      ColumnCase{"InsideTwoByteCountsItsStart", e_acute + "x", U16, 0, 1},
                      ColumnCase{"SurrogatePair", grin + "x", U16, 2, 4},
                      ColumnCase{"AfterSurrogatePair", grin + "x", U16, 3, 5},
                      ColumnCase{"FourByteInUtf8", grin + "x", U8, 4, 4},
                      ColumnCase{"InvalidByteIsOneUnit",
                                 "\xFF"
                                 "a",
                                 U16, 2, 2},
                      ColumnCase{"MixedLine", "a" + e_acute + grin + "b", U16, 5, 8}));

struct OffsetCase {
  const char* name;
  std::string text;
  Position position;
  PositionEncoding encoding;
  std::size_t offset;
};

void PrintTo(const OffsetCase& c, std::ostream* os) { *os << c.name; }

class OffsetTest : public ::testing::TestWithParam<OffsetCase> {};

TEST_P(OffsetTest, FindsTheByte) {
  EXPECT_EQ(offset_of(GetParam().text, GetParam().position, GetParam().encoding),
            GetParam().offset);
}

// "ab\r\n" 0-3, "cd" 4-5, "\r" 6, "ef" 7-8, "\n" 9, "gh" 10-11.
const std::string mixed = "ab\r\ncd\ref\ngh";

INSTANTIATE_TEST_SUITE_P(
    Texts, OffsetTest,
    ::testing::Values(OffsetCase{"EmptyText", "", {0, 0}, U16, 0},
                      OffsetCase{"EmptyTextPastEnd", "", {3, 3}, U16, 0},
                      OffsetCase{"FirstLine", mixed, {0, 1}, U16, 1},
                      OffsetCase{"PastLineEndStopsBeforeCrLf", mixed, {0, 10}, U16, 2},
                      OffsetCase{"AfterCrLf", mixed, {1, 1}, U16, 5},
                      OffsetCase{"PastLineEndStopsBeforeCr", mixed, {1, 7}, U16, 6},
                      OffsetCase{"AfterCr", mixed, {2, 0}, U16, 7},
                      OffsetCase{"LastLine", mixed, {3, 2}, U16, 12},
                      OffsetCase{"PastLastLineIsTheEnd", mixed, {9, 0}, U16, 12},
                      OffsetCase{"AfterFinalLineFeed", "a\n", {1, 0}, U16, 2},
                      OffsetCase{"MultiByteLine", "x\n" + e_acute + grin + "y", {1, 3}, U16, 8},
                      OffsetCase{
                          "MultiByteLineUtf8", "x\n" + e_acute + grin + "y", {1, 6}, U8, 8}));

// Each line of `mixed` as "number:start:text", from line_at and LineIndex.
TEST(LineTest, LineAtAndIndexAgree) {
  const LineIndex index(mixed);
  const char* expected[] = {"0:0:ab", "1:4:cd", "2:7:ef", "3:10:gh", "3:10:gh"};
  for (std::size_t number = 0; number < 5; ++number) {
    const LineSpan scanned = line_at(mixed, number);
    const LineSpan indexed = index.line(number);
    const auto dump = [](const LineSpan& span) {
      return std::to_string(span.number) + ":" + std::to_string(span.start) + ":" +
             std::string(span.text);
    };
    EXPECT_EQ(dump(scanned), expected[number]);
    EXPECT_EQ(dump(indexed), expected[number]);
  }
}

}  // namespace
}  // namespace lyre::server
