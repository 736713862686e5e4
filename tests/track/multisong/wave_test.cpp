#include "lyre/track/multisong/wave.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "lyre/docformat/parse_error.h"
#include "lyre/track/format/parse_error.h"

namespace lyre {
namespace {

constexpr Curve kEase = Curve::ease();
constexpr Curve kLinear = Curve::linear();

struct Accepted {
  std::string_view name;
  std::vector<std::string_view> lines;
  std::vector<WavePoint> expected;
};

TEST(WaveParse, ReadsOneVertexPerLine) {
  const std::vector<Accepted> cases = {
      {"empty body", {}, {}},
      {"blank lines only", {"", "  ", "\u00a0"}, {}},
      {"vertical step",
       {"0 0", "0.5 1", "0.5 -1", "1 0"},
       {{0.0f, 0.0f, kEase}, {0.5f, 1.0f, kEase}, {0.5f, -1.0f, kEase}, {1.0f, 0.0f, kEase}}},
      {"blank lines between vertices",
       {"", "  0 0 linear  ", "", "\t1 1"},
       {{0.0f, 0.0f, kLinear}, {1.0f, 1.0f, kEase}}},
  };
  for (const Accepted& c : cases) {
    SCOPED_TRACE(c.name);
    auto wave = Wave::parse(c.lines);
    ASSERT_TRUE(wave.has_value()) << wave.error().text();
    EXPECT_EQ(wave->points, c.expected);
  }
}

struct Rejected {
  std::vector<std::string_view> lines;
  std::size_t line;
  std::string text;
};

TEST(WaveParse, NamesTheBodyLineOfTheFirstBadVertex) {
  const std::vector<Rejected> cases = {
      {{"0 0 ease 1"}, 1, "line 1: line 1: wave vertex needs '<x> <y>' plus an optional curve"},
      {{"0.5 0", "x 0"}, 2, "line 2: line 2: invalid number for wave x: 'x'"},
      // Order is against the vertex read last, across blank lines.
      {{"0 0", "0.5 1", "", "0.5 2", "0.2 0"},
       5,
       "line 5: line 5: wave vertices must run in non-decreasing x"},
      {{"1 0", "0 0"}, 2, "line 2: line 2: wave vertices must run in non-decreasing x"},
      {{"", "1.5 0"}, 2, "line 2: line 2: wave x must be within 0..=1"},
  };
  for (const Rejected& c : cases) {
    SCOPED_TRACE(c.text);
    auto wave = Wave::parse(c.lines);
    ASSERT_FALSE(wave.has_value());
    const auto* line = std::get_if<docformat::ParseError::Line>(&wave.error().kind());
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->line, c.line);
    EXPECT_EQ(line->cause.body_line, c.line);
    EXPECT_EQ(wave.error().text(), c.text);
  }
}

}  // namespace
}  // namespace lyre
