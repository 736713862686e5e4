// The effect text of a layer's effect directive, for example `lowpass 1200`
// or `reverb 0.6 0.5 0.3`.
#pragma once

#include <cstddef>
#include <expected>
#include <string_view>

#include "lyre/docformat/name_place.h"
#include "lyre/song/effect.h"
#include "lyre/track/format/parse_error.h"
#include "track/format/tokens.h"

namespace lyre {

// `at` places a named reverb preset.
std::expected<Effect, ParseError> parse_effect(std::string_view text, std::size_t line,
                                               const docformat::LineAt& at = {});

// The next token as a number; none left: "effect '{effect}' missing {label}".
std::expected<float, ParseError> take_float(Tokens& tokens, std::string_view label,
                                            std::string_view effect, std::size_t line);

}  // namespace lyre
