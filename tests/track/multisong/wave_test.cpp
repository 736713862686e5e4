#include "lyre/track/multisong/wave.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "lyre/docformat/parse_error.h"
#include "lyre/track/format/parse_error.h"
#include "table_runner_test_support.h"
#include "track/line_error_test_support.h"

namespace lyre {
namespace {

using test_support::Fails;
using Body = std::vector<std::string_view>;
using Row = test_support::Row<Body, std::vector<WavePoint>>;

constexpr Curve kEase = Curve::ease();
constexpr Curve kLinear = Curve::linear();

std::expected<std::vector<WavePoint>, docformat::ParseError> read_points(const Body& lines) {
  return test_support::transform(Wave::parse(lines), [](Wave& wave) { return wave.points; });
}

TEST(WaveParse, ReadsOneVertexPerLine) {
  const std::vector<Row> rows = {
      {"empty body", {}, {}},
      {"blank lines only", {"", "  ", "\u00a0"}, {}},
      {"vertical step",
       {"0 0", "0.5 1", "0.5 -1", "1 0"},
       {{0.0f, 0.0f, kEase}, {0.5f, 1.0f, kEase}, {0.5f, -1.0f, kEase}, {1.0f, 0.0f, kEase}}},
      {"blank lines between vertices",
       {"", "  0 0 linear  ", "", "\t1 1"},
       {{0.0f, 0.0f, kLinear}, {1.0f, 1.0f, kEase}}},
  };
  test_support::expect_rows(rows, read_points);
}

// The vertex's error names its body line, which the file line repeats until
// the entry is placed.
std::string vertex_error(const docformat::ParseError& error) {
  if (const auto* line = std::get_if<docformat::ParseError::Line>(&error.kind())) {
    EXPECT_EQ(line->cause.body_line, line->line);
  }
  return test_support::file_line_error(error);
}

TEST(WaveParse, NamesTheBodyLineOfTheFirstBadVertex) {
  const std::vector<Row> rows = {
      {{"0 0 ease 1"}, Fails{"line 1: line 1: wave vertex needs '<x> <y>' plus an optional curve"}},
      {{"0.5 0", "x 0"}, Fails{"line 2: line 2: invalid number for wave x: 'x'"}},
      // Order is against the vertex read last, across blank lines.
      {{"0 0", "0.5 1", "", "0.5 2", "0.2 0"},
       Fails{"line 5: line 5: wave vertices must run in non-decreasing x"}},
      {{"1 0", "0 0"}, Fails{"line 2: line 2: wave vertices must run in non-decreasing x"}},
      {{"", "1.5 0"}, Fails{"line 2: line 2: wave x must be within 0..=1"}},
  };
  test_support::expect_rows(rows, read_points, vertex_error);
}

}  // namespace
}  // namespace lyre
