#include "track/format/point_list.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lyre {
namespace {

constexpr std::size_t kLine = 4;
constexpr Curve kEase = Curve::ease();
constexpr Curve kLinear = Curve::linear();
constexpr Curve kEaseIn{true, false};
constexpr Curve kEaseOut{false, true};
const float kInf = std::numeric_limits<float>::infinity();

std::string line_error(std::string_view message) { return "line 4: " + std::string(message); }

struct VertexCase {
  std::optional<WavePoint> previous;
  std::string_view line;
  WavePoint expected;
};

TEST(ParseWavePoint, ReadsAVertex) {
  const std::vector<VertexCase> cases = {
      {std::nullopt, "0 0", {0.0f, 0.0f, kEase}},
      {std::nullopt, "1 -3.5", {1.0f, -3.5f, kEase}},
      {std::nullopt, "0.25 1 linear", {0.25f, 1.0f, kLinear}},
      {std::nullopt, "0.25 1 ease-in", {0.25f, 1.0f, kEaseIn}},
      {std::nullopt, "0.25 1 ease-out", {0.25f, 1.0f, kEaseOut}},
      {std::nullopt, "0.25 1 ease", {0.25f, 1.0f, kEase}},
      {std::nullopt, "0 inf", {0.0f, kInf, kEase}},
      {std::nullopt, "1 1e40", {1.0f, kInf, kEase}},
      {std::nullopt, "-0 2", {-0.0f, 2.0f, kEase}},
      // The range is checked on the value rounded to 32 bits.
      {std::nullopt, "1.00000001 0", {1.0f, 0.0f, kEase}},
      {std::nullopt, "\u00a00.5\u30002\t", {0.5f, 2.0f, kEase}},
      // Equal x makes a vertical step.
      {WavePoint{0.5f, 1.0f, kEase}, "0.5 -1", {0.5f, -1.0f, kEase}},
      {WavePoint{0.5f, 1.0f, kEase}, "0.75 0", {0.75f, 0.0f, kEase}},
  };
  for (const VertexCase& c : cases) {
    SCOPED_TRACE(c.line);
    const WavePoint* previous = c.previous ? &*c.previous : nullptr;
    auto point = parse_wave_point(previous, c.line, kLine);
    ASSERT_TRUE(point.has_value()) << point.error().text();
    EXPECT_EQ(*point, c.expected);
  }
}

TEST(ParseWavePoint, ReadsNanY) {
  auto point = parse_wave_point(nullptr, "0 nan", kLine);
  ASSERT_TRUE(point.has_value());
  EXPECT_TRUE(std::isnan(point->y));
}

struct VertexErrorCase {
  std::optional<WavePoint> previous;
  std::string_view line;
  std::string_view message;
};

TEST(ParseWavePoint, RejectsABadVertex) {
  constexpr std::string_view kCount = "wave vertex needs '<x> <y>' plus an optional curve";
  constexpr std::string_view kRange = "wave x must be within 0..=1";
  constexpr std::string_view kOrder = "wave vertices must run in non-decreasing x";
  const WavePoint half{0.5f, 0.0f, kEase};
  const std::vector<VertexErrorCase> cases = {
      {std::nullopt, "", kCount},
      {std::nullopt, "0", kCount},
      // The count comes before any number.
      {std::nullopt, "x y z w", kCount},
      {std::nullopt, "0 0 ease 1", kCount},
      {std::nullopt, "0,5 1", "invalid number for wave x: '0,5'"},
      {std::nullopt, "x y", "invalid number for wave x: 'x'"},
      {std::nullopt, "0 0,", "invalid number for wave y: '0,'"},
      // The y number comes before the x range.
      {std::nullopt, "2 y", "invalid number for wave y: 'y'"},
      {std::nullopt, "1.5 0", kRange},
      {std::nullopt, "-0.1 0", kRange},
      {std::nullopt, "nan 0", kRange},
      {std::nullopt, "inf 0", kRange},
      {std::nullopt, "1.0000001 0", kRange},
      // The range comes before the order.
      {half, "-0.1 0", kRange},
      {half, "0.4 0", kOrder},
      // The order comes before the curve.
      {half, "0.4 0 bogus", kOrder},
      {std::nullopt, "0.4 0 bogus",
       "unknown curve 'bogus' (expected linear, ease-in, ease-out or ease)"},
      {std::nullopt, "0.4 0 Ease",
       "unknown curve 'Ease' (expected linear, ease-in, ease-out or ease)"},
  };
  for (const VertexErrorCase& c : cases) {
    SCOPED_TRACE(c.line);
    const WavePoint* previous = c.previous ? &*c.previous : nullptr;
    auto point = parse_wave_point(previous, c.line, kLine);
    ASSERT_FALSE(point.has_value());
    EXPECT_EQ(point.error().text(), line_error(c.message));
  }
}

struct ListCase {
  std::string_view text;
  std::vector<WavePoint> expected;
};

TEST(ParseWavePoints, ReadsCommaSeparatedPoints) {
  const std::vector<ListCase> cases = {
      {"0 0", {{0.0f, 0.0f, kEase}}},
      {"0 0, 0.5 1 ease-in, 1 0",
       {{0.0f, 0.0f, kEase}, {0.5f, 1.0f, kEaseIn}, {1.0f, 0.0f, kEase}}},
      {"0 0,1 1", {{0.0f, 0.0f, kEase}, {1.0f, 1.0f, kEase}}},
      {"0 0 , 1 1", {{0.0f, 0.0f, kEase}, {1.0f, 1.0f, kEase}}},
      // No range or order check.
      {"5 -3, -2 7", {{5.0f, -3.0f, kEase}, {-2.0f, 7.0f, kEase}}},
      {"1 0 linear, 0 1 ease-out", {{1.0f, 0.0f, kLinear}, {0.0f, 1.0f, kEaseOut}}},
  };
  for (const ListCase& c : cases) {
    SCOPED_TRACE(c.text);
    auto points = parse_wave_points(c.text, kLine);
    ASSERT_TRUE(points.has_value()) << points.error().text();
    EXPECT_EQ(*points, c.expected);
  }
}

struct ListErrorCase {
  std::string_view text;
  std::string_view message;
};

TEST(ParseWavePoints, RejectsABadPiece) {
  constexpr std::string_view kCount = "envelope point needs '<x> <y> [curve]'";
  const std::vector<ListErrorCase> cases = {
      {"", kCount},
      {"x", kCount},
      {"0;0", kCount},
      {"0 0 ease 1", kCount},
      // An empty piece, trailing or doubled, is still a piece.
      {"0 0,", kCount},
      {"0 0,, 1 1", kCount},
      {",0 0", kCount},
      {"x 0", "invalid number for envelope x: 'x'"},
      {"0 y", "invalid number for envelope y: 'y'"},
      {"0 0, x 1", "invalid number for envelope x: 'x'"},
      // The first bad piece ends the reading.
      {"0 y, x", "invalid number for envelope y: 'y'"},
      {"0 0 bogus", "unknown curve 'bogus' (expected linear, ease-in, ease-out or ease)"},
  };
  for (const ListErrorCase& c : cases) {
    SCOPED_TRACE(c.text);
    auto points = parse_wave_points(c.text, kLine);
    ASSERT_FALSE(points.has_value());
    EXPECT_EQ(points.error().text(), line_error(c.message));
  }
}

}  // namespace
}  // namespace lyre
