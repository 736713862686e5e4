// The offsets-then-rate form of a sound's arpeggio: `0 4 7 rate 8`.
#pragma once

#include <cstddef>
#include <expected>
#include <string_view>

#include "lyre/song/arpeggio.h"
#include "lyre/track/format/parse_error.h"
#include "track/format/tokens.h"

namespace lyre {

// `first` is the first offset (the caller reports its absence); reading stops
// right after a rate above zero.
std::expected<Arpeggio, ParseError> parse_arpeggio(std::string_view first, Tokens& rest,
                                                   std::size_t line);

}  // namespace lyre
