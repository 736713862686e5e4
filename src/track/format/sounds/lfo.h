// A vibrato or tremolo modulation: rate, depth and an optional shape.
#pragma once

#include <cstddef>
#include <expected>
#include <string_view>

#include "lyre/song/sound/lfo.h"
#include "lyre/track/format/parse_error.h"
#include "track/format/tokens.h"

namespace lyre {

// `first` is the rate token, `rest` the tokens after it; `directive` labels
// every message.
std::expected<Lfo, ParseError> parse_lfo(std::string_view first, Tokens& rest, std::size_t line,
                                         std::string_view directive);

}  // namespace lyre
