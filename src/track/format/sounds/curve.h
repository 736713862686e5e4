// The four curve words: linear, ease-in, ease-out, ease.
#pragma once

#include <cstddef>
#include <expected>
#include <optional>
#include <string_view>

#include "lyre/song/curve.h"
#include "lyre/track/format/parse_error.h"
#include "track/format/tokens.h"

namespace lyre {

// The curve a word names, if it is one of the four.
std::optional<Curve> curve_word(std::string_view token);

// Strict: any other token is an error.
std::expected<Curve, ParseError> parse_curve(std::string_view token, std::size_t line);

// Consumes the next token only when it is a curve word.
std::optional<Curve> curve_token(Tokens& tokens);

}  // namespace lyre
