// The document error: its text, its message without line numbers, and where
// an entry's error is placed once its body is known.
#include "lyre/docformat/parse_error.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace lyre::docformat {
namespace {

// Body lines 1 to 3 of an entry whose first body line is file line 12.
const std::vector<std::string_view> kBody = {"@tempo 90", "", "  sine  nan 1  "};
constexpr std::size_t kFirst = 12;

struct LocatedCase {
  const char* name;
  ParseError error;
  std::string text;
  std::string message;
  Place place;
};

// The token as a slice of body line 3.
std::string_view in_line_3(std::string_view token) {
  return kBody[2].substr(kBody[2].find(token), token.size());
}

class Located : public testing::TestWithParam<LocatedCase> {};

TEST_P(Located, RenumbersAndPlaces) {
  const ParseError located = GetParam().error.located(kBody, kFirst);
  EXPECT_EQ(located.text(), GetParam().text);
  EXPECT_EQ(located.message(), GetParam().message);
  EXPECT_EQ(located.place(), GetParam().place);
}

INSTANTIATE_TEST_SUITE_P(
    Errors, Located,
    testing::Values(
        LocatedCase{"LineWithToken",
                    ParseError::at_line(3, Cause{"invalid number: 'nan'", 3, in_line_3("nan")}),
                    "line 14: line 3: invalid number: 'nan'", "invalid number: 'nan'",
                    Place{14, 8, 11}},
        LocatedCase{"LineWithoutToken", ParseError::at_line(3, Cause{"curve without a note"}),
                    "line 14: curve without a note", "curve without a note", Place{14, 2, 13}},
        LocatedCase{"SourceKeepsTheBodyLine",
                    ParseError::source(Cause{"bad 'sine'", 3, in_line_3("sine")}),
                    "line 3: bad 'sine'", "bad 'sine'", Place{14, 2, 6}},
        LocatedCase{"TokenCopiedElsewhereFallsBackToTheLine",
                    ParseError::source(Cause{"bad 'sine'", 3, std::string_view("sine")}),
                    "line 3: bad 'sine'", "bad 'sine'", Place{14, 2, 13}},
        LocatedCase{"FirstLine", ParseError::source(Cause{"bad tempo", 1}), "line 1: bad tempo",
                    "bad tempo", Place{12, 0, 9}},
        LocatedCase{"NoBodyLineStandsAtTheHeading", ParseError::source(Cause{"no line"}), "no line",
                    "no line", Place{11, 0, 0}},
        LocatedCase{"InImportUnchanged",
                    ParseError::in_import("kit.track", ParseError::at_line(3, Cause{"boom"})),
                    "in import kit.track: line 3: boom", "boom", Place{}},
        LocatedCase{"DocumentErrorsUnchanged", ParseError(ParseError::SubheaderWithoutHeader{}),
                    "subheader without an enclosing header",
                    "subheader without an enclosing header", Place{}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ParseErrorText, LineOutsideSection) {
  const ParseError error(ParseError::LineOutsideSection{"prose"}, Place{4, 0, 5});
  EXPECT_EQ(error.text(), "line outside any section: prose");
  EXPECT_EQ(error.message(), "prose");
  EXPECT_EQ(error.place(), (Place{4, 0, 5}));
}

TEST(ParseErrorText, InImportTakesThePlaceInTheImportedFile) {
  const ParseError inner = ParseError::at_line(2, Cause{"boom"}).located(kBody, kFirst);
  const ParseError outer = ParseError::in_import("kit.track", inner);
  EXPECT_EQ(outer.place(), inner.place());
  EXPECT_EQ(outer.text(), "in import kit.track: line 13: boom");
}

}  // namespace
}  // namespace lyre::docformat
