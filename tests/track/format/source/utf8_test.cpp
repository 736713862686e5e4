#include "track/format/source/utf8.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace lyre {
namespace {

constexpr std::size_t none = std::string_view::npos;

struct FirstInvalidCase {
  const char* name;
  std::string bytes;
  std::size_t offset;
};

void PrintTo(const FirstInvalidCase& c, std::ostream* os) { *os << c.name; }

class FirstInvalidTest : public ::testing::TestWithParam<FirstInvalidCase> {};

TEST_P(FirstInvalidTest, FindsTheFirstInvalidByte) {
  EXPECT_EQ(first_invalid_utf8(GetParam().bytes), GetParam().offset);
}

const std::string eight = "01234567";

INSTANTIATE_TEST_SUITE_P(
    Texts, FirstInvalidTest,
    ::testing::Values(
        FirstInvalidCase{"Empty", "", none}, FirstInvalidCase{"ShortAscii", "abc", none},
        FirstInvalidCase{"BlocksOfAscii", eight + eight + "x", none},
        FirstInvalidCase{"AtStart", "\x80" + eight, 0},
        FirstInvalidCase{"LastByteOfBlock", "0123456\xFF" + eight, 7},
        FirstInvalidCase{"FirstByteOfSecondBlock", eight + "\xFF" + eight, 8},
        FirstInvalidCase{"InTail", eight + "ab\xFF", 10},
        FirstInvalidCase{"MultibyteAcrossBlocks", "012345\xF0\x9F\x98\x80" + eight + "\xC3", 18},
        FirstInvalidCase{"AfterValidMultibyte", "\xC3\xA9\xE2\x82\xAC\xED\xA0\x80", 5},
        FirstInvalidCase{"TruncatedAtEnd", eight + "\xF0\x9F\x98", 8},
        FirstInvalidCase{"HighestCodePoint", "\xF4\x8F\xBF\xBF", none},
        FirstInvalidCase{"AboveHighest", "a\xF4\x90\x80\x80", 1},
        FirstInvalidCase{"LastBeforeSurrogates", "\xED\x9F\xBF", none},
        FirstInvalidCase{"OverlongSlash", "x\xC0\xAF", 1},
        FirstInvalidCase{"SmallestTwoByte", "\xC2\x80", none},
        FirstInvalidCase{"SmallestThreeByte", "\xE0\xA0\x80", none},
        FirstInvalidCase{"SmallestFourByte", "\xF0\x90\x80\x80", none}),
    [](const auto& info) { return std::string(info.param.name); });

struct StepCase {
  const char* name;
  std::string bytes;
  std::size_t length;
  bool valid;
};

void PrintTo(const StepCase& c, std::ostream* os) { *os << c.name; }

class Utf8StepTest : public ::testing::TestWithParam<StepCase> {};

TEST_P(Utf8StepTest, MeasuresOneCharacterOrInvalidSubpart) {
  const Utf8Step step = utf8_step(GetParam().bytes, 0);
  EXPECT_EQ(step.length, GetParam().length);
  EXPECT_EQ(step.valid, GetParam().valid);
}

INSTANTIATE_TEST_SUITE_P(Steps, Utf8StepTest,
                         ::testing::Values(StepCase{"Ascii", "ab", 1, true},
                                           StepCase{"TwoBytes", "\xC3\xA9x", 2, true},
                                           StepCase{"ThreeBytes", "\xE2\x82\xAC", 3, true},
                                           StepCase{"FourBytes", "\xF0\x9F\x98\x80", 4, true},
                                           StepCase{"ContinuationAlone", "\x80", 1, false},
                                           StepCase{"NeverLead", "\xC1\xBF", 1, false},
                                           StepCase{"SecondOutOfRange", "\xED\xA0\x80", 1, false},
                                           StepCase{"TruncatedAfterTwo", "\xF0\x9F\x98", 3, false},
                                           StepCase{"BrokenThird", "\xE2\x82x", 2, false}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace lyre
