#include "track/format/point_list.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "table_runner_test_support.h"
#include "track/line_error_test_support.h"

namespace lyre {
namespace {

using test_support::Fails;
using Row = test_support::Row<std::string_view, WavePoint>;

constexpr std::size_t kLine = 4;
constexpr Curve kEase = Curve::ease();
constexpr Curve kLinear = Curve::linear();
constexpr Curve kEaseIn{true, false};
constexpr Curve kEaseOut{false, true};
const float kInf = std::numeric_limits<float>::infinity();

// A vertex read first, or after `previous`.
auto vertex_after(const WavePoint* previous) {
  return [previous](std::string_view line) { return parse_wave_point(previous, line, kLine); };
}

TEST(ParseWavePoint, ReadsAVertex) {
  const std::vector<Row> first = {
      {"0 0", {0.0f, 0.0f, kEase}},
      {"1 -3.5", {1.0f, -3.5f, kEase}},
      {"0.25 1 linear", {0.25f, 1.0f, kLinear}},
      {"0.25 1 ease-in", {0.25f, 1.0f, kEaseIn}},
      {"0.25 1 ease-out", {0.25f, 1.0f, kEaseOut}},
      {"0.25 1 ease", {0.25f, 1.0f, kEase}},
      {"0 inf", {0.0f, kInf, kEase}},
      {"1 1e40", {1.0f, kInf, kEase}},
      {"-0 2", {-0.0f, 2.0f, kEase}},
      // The range is checked on the value rounded to 32 bits.
      {"1.00000001 0", {1.0f, 0.0f, kEase}},
      {"\u00a00.5\u30002\t", {0.5f, 2.0f, kEase}},
  };
  test_support::expect_rows(first, vertex_after(nullptr));
  // Equal x makes a vertical step.
  const WavePoint previous{0.5f, 1.0f, kEase};
  const std::vector<Row> later = {
      {"0.5 -1", {0.5f, -1.0f, kEase}},
      {"0.75 0", {0.75f, 0.0f, kEase}},
  };
  test_support::expect_rows(later, vertex_after(&previous));
}

TEST(ParseWavePoint, ReadsNanY) {
  auto point = parse_wave_point(nullptr, "0 nan", kLine);
  ASSERT_TRUE(point.has_value());
  EXPECT_TRUE(std::isnan(point->y));
}

TEST(ParseWavePoint, RejectsABadVertex) {
  const Fails kCount{"wave vertex needs '<x> <y>' plus an optional curve"};
  const Fails kRange{"wave x must be within 0..=1"};
  const Fails kOrder{"wave vertices must run in non-decreasing x"};
  const std::vector<Row> first = {
      {"", kCount},
      {"0", kCount},
      // The count comes before any number.
      {"x y z w", kCount},
      {"0 0 ease 1", kCount},
      {"0,5 1", Fails{"invalid number for wave x: '0,5'"}},
      {"x y", Fails{"invalid number for wave x: 'x'"}},
      {"0 0,", Fails{"invalid number for wave y: '0,'"}},
      // The y number comes before the x range.
      {"2 y", Fails{"invalid number for wave y: 'y'"}},
      {"1.5 0", kRange},
      {"-0.1 0", kRange},
      {"nan 0", kRange},
      {"inf 0", kRange},
      {"1.0000001 0", kRange},
      {"0.4 0 bogus", Fails{"unknown curve 'bogus' (expected linear, ease-in, ease-out or ease)"}},
      {"0.4 0 Ease", Fails{"unknown curve 'Ease' (expected linear, ease-in, ease-out or ease)"}},
  };
  test_support::expect_rows(first, vertex_after(nullptr), test_support::message_on_line(kLine));
  const WavePoint half{0.5f, 0.0f, kEase};
  const std::vector<Row> later = {
      // The range comes before the order.
      {"-0.1 0", kRange},
      {"0.4 0", kOrder},
      // The order comes before the curve.
      {"0.4 0 bogus", kOrder},
  };
  test_support::expect_rows(later, vertex_after(&half), test_support::message_on_line(kLine));
}

auto read_points(std::string_view text) { return parse_wave_points(text, kLine); }

TEST(ParseWavePoints, ReadsCommaSeparatedPoints) {
  const std::vector<test_support::Row<std::string_view, std::vector<WavePoint>>> rows = {
      {"0 0", {{0.0f, 0.0f, kEase}}},
      {"0 0, 0.5 1 ease-in, 1 0",
       {{0.0f, 0.0f, kEase}, {0.5f, 1.0f, kEaseIn}, {1.0f, 0.0f, kEase}}},
      {"0 0,1 1", {{0.0f, 0.0f, kEase}, {1.0f, 1.0f, kEase}}},
      {"0 0 , 1 1", {{0.0f, 0.0f, kEase}, {1.0f, 1.0f, kEase}}},
      // No range or order check.
      {"5 -3, -2 7", {{5.0f, -3.0f, kEase}, {-2.0f, 7.0f, kEase}}},
      {"1 0 linear, 0 1 ease-out", {{1.0f, 0.0f, kLinear}, {0.0f, 1.0f, kEaseOut}}},
  };
  test_support::expect_rows(rows, read_points);
}

TEST(ParseWavePoints, RejectsABadPiece) {
  const Fails kCount{"envelope point needs '<x> <y> [curve]'"};
  const std::vector<test_support::Row<std::string_view, std::vector<WavePoint>>> rows = {
      {"", kCount},
      {"x", kCount},
      {"0;0", kCount},
      {"0 0 ease 1", kCount},
      // An empty piece, trailing or doubled, is still a piece.
      {"0 0,", kCount},
      {"0 0,, 1 1", kCount},
      {",0 0", kCount},
      {"x 0", Fails{"invalid number for envelope x: 'x'"}},
      {"0 y", Fails{"invalid number for envelope y: 'y'"}},
      {"0 0, x 1", Fails{"invalid number for envelope x: 'x'"}},
      // The first bad piece ends the reading.
      {"0 y, x", Fails{"invalid number for envelope y: 'y'"}},
      {"0 0 bogus", Fails{"unknown curve 'bogus' (expected linear, ease-in, ease-out or ease)"}},
  };
  test_support::expect_rows(rows, read_points, test_support::message_on_line(kLine));
}

}  // namespace
}  // namespace lyre
