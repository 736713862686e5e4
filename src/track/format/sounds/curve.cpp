#include "track/format/sounds/curve.h"

#include "docformat/text.h"

namespace lyre {

std::optional<Curve> curve_word(std::string_view token) {
  if (token == "linear") return Curve{false, false};
  if (token == "ease-in") return Curve{true, false};
  if (token == "ease-out") return Curve{false, true};
  if (token == "ease") return Curve{true, true};
  return std::nullopt;
}

std::expected<Curve, ParseError> parse_curve(std::string_view token, std::size_t line) {
  if (auto curve = curve_word(token)) return *curve;
  return std::unexpected(ParseError::line(
      line, cat("unknown curve '", token, "' (expected linear, ease-in, ease-out or ease)"),
      token));
}

std::optional<Curve> curve_token(Tokens& tokens) {
  // Read from a copy, which is kept only for a curve word: the token is not
  // scanned twice.
  Tokens after = tokens;
  auto token = after.next();
  if (!token) return std::nullopt;
  auto curve = curve_word(*token);
  if (curve) tokens = after;
  return curve;
}

}  // namespace lyre
