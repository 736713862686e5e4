#include "track/format/point_list.h"

#include <algorithm>
#include <array>
#include <optional>

#include "track/format/sounds/curve.h"
#include "track/format/tokens.h"

namespace lyre {

namespace {

// The tokens of a point: two or three, else `std::nullopt`.
struct PointTokens {
  std::string_view x;
  std::string_view y;
  std::optional<std::string_view> curve;
};

std::optional<PointTokens> point_tokens(std::string_view text) {
  Tokens tokens(text);
  std::array<std::string_view, 3> found;
  std::size_t count = 0;
  while (auto token = tokens.next()) {
    if (count == found.size()) return std::nullopt;
    found[count++] = *token;
  }
  if (count < 2) return std::nullopt;
  PointTokens point{found[0], found[1], std::nullopt};
  if (count == 3) point.curve = found[2];
  return point;
}

std::expected<Curve, ParseError> optional_curve(const std::optional<std::string_view>& token,
                                                std::size_t n) {
  if (!token) return Curve::ease();
  return parse_curve(*token, n);
}

std::expected<WavePoint, ParseError> parse_envelope_point(std::string_view piece, std::size_t n) {
  auto tokens = point_tokens(piece);
  if (!tokens)
    return std::unexpected(ParseError::line(n, "envelope point needs '<x> <y> [curve]'"));
  auto x = parse_float(tokens->x, n, "envelope x");
  if (!x) return std::unexpected(x.error());
  auto y = parse_float(tokens->y, n, "envelope y");
  if (!y) return std::unexpected(y.error());
  auto curve = optional_curve(tokens->curve, n);
  if (!curve) return std::unexpected(curve.error());
  return WavePoint{*x, *y, *curve};
}

}  // namespace

std::expected<WavePoint, ParseError> parse_wave_point(const WavePoint* previous,
                                                      std::string_view line, std::size_t n) {
  auto tokens = point_tokens(line);
  if (!tokens) {
    return std::unexpected(
        ParseError::line(n, "wave vertex needs '<x> <y>' plus an optional curve"));
  }
  auto x = parse_float(tokens->x, n, "wave x");
  if (!x) return std::unexpected(x.error());
  auto y = parse_float(tokens->y, n, "wave y");
  if (!y) return std::unexpected(y.error());
  // Written so that NaN fails too.
  if (!(*x >= 0.0f && *x <= 1.0f)) {
    return std::unexpected(ParseError::line(n, "wave x must be within 0..=1"));
  }
  if (previous && previous->x > *x) {
    return std::unexpected(ParseError::line(n, "wave vertices must run in non-decreasing x"));
  }
  auto curve = optional_curve(tokens->curve, n);
  if (!curve) return std::unexpected(curve.error());
  return WavePoint{*x, *y, *curve};
}

std::expected<std::vector<WavePoint>, ParseError> parse_wave_points(std::string_view text,
                                                                    std::size_t n) {
  std::vector<WavePoint> points;
  points.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), ',')) + 1);
  while (true) {
    std::size_t comma = text.find(',');
    auto point = parse_envelope_point(text.substr(0, comma), n);
    if (!point) return std::unexpected(point.error());
    points.push_back(*point);
    if (comma == std::string_view::npos) return points;
    text.remove_prefix(comma + 1);
  }
}

}  // namespace lyre
