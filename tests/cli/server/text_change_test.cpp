#include "cli/server/text_change.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace lyre::server {
namespace {

constexpr auto U8 = PositionEncoding::Utf8;
constexpr auto U16 = PositionEncoding::Utf16;

const std::string grin = "\xF0\x9F\x98\x80";

struct ChangeCase {
  const char* name;
  std::string before;
  std::optional<Range> range;
  std::string inserted;
  PositionEncoding encoding;
  std::string after;
};

void PrintTo(const ChangeCase& c, std::ostream* os) { *os << c.name; }

class TextChangeTest : public ::testing::TestWithParam<ChangeCase> {};

TEST_P(TextChangeTest, Applies) {
  std::string text = GetParam().before;
  apply_change(text, TextChange{GetParam().range, GetParam().inserted}, GetParam().encoding);
  EXPECT_EQ(text, GetParam().after);
}

Range span(std::size_t l1, std::size_t c1, std::size_t l2, std::size_t c2) {
  return Range{{l1, c1}, {l2, c2}};
}

INSTANTIATE_TEST_SUITE_P(
    Edits, TextChangeTest,
    ::testing::Values(
        ChangeCase{"WholeText", "old", std::nullopt, "new\n", U16, "new\n"},
        ChangeCase{"Insert", "abc", span(0, 1, 0, 1), "X", U16, "aXbc"},
        ChangeCase{"Replace", "abc\ndef", span(1, 0, 1, 2), "XY", U16, "abc\nXYf"},
        ChangeCase{"DeleteLineBreak", "abc\ndef", span(0, 3, 1, 0), "", U16, "abcdef"},
        ChangeCase{"DeleteCrLf", "ab\r\ncd", span(0, 2, 1, 0), "", U16, "abcd"},
        ChangeCase{"InsertBeforeCrLf", "ab\r\ncd", span(0, 9, 0, 9), "!", U16, "ab!\r\ncd"},
        ChangeCase{"JoinCrLfLines", "a\r\nb\r\nc", span(0, 1, 2, 0), "-", U16, "a-c"},
        ChangeCase{"PastLineEnd", "abc\ndef", span(0, 10, 0, 20), "X", U16, "abcX\ndef"},
        ChangeCase{"PastTextEnd", "abc", span(5, 0, 9, 9), "!", U16, "abc!"},
        ChangeCase{"EndPastTextEnd", "abc\ndef", span(1, 1, 9, 0), "", U16, "abc\nd"},
        ChangeCase{"EndBeforeStartInserts", "abc", span(0, 2, 0, 1), "X", U16, "abXc"},
        ChangeCase{"EndLinesBeforeStart", "abc\ndef", span(1, 1, 0, 0), "X", U16, "abc\ndXef"},
        ChangeCase{"AfterSurrogatePair", "a" + grin + "b", span(0, 3, 0, 4), "c", U16,
                   "a" + grin + "c"},
        ChangeCase{"AfterFourBytes", "a" + grin + "b", span(0, 5, 0, 6), "c", U8, "a" + grin + "c"},
        ChangeCase{"ReplacePair", "a" + grin + "b", span(0, 1, 0, 3), "\xC3\xA9", U16,
                   "a\xC3\xA9"
                   "b"},
        ChangeCase{"StartBetweenSurrogatesSnapsBack", "a" + grin + "b", span(0, 2, 0, 3), "", U16,
                   "ab"},
        ChangeCase{"IntoEmptyText", "", span(0, 0, 0, 0), "# Songs\n", U16, "# Songs\n"}));

}  // namespace
}  // namespace lyre::server
