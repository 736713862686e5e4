// The offsets-then-rate form of an arpeggio, on a sound or a note: `0 4 7 rate 8`.
#pragma once

#include <cstddef>
#include <expected>
#include <string_view>

#include "lyre/song/arpeggio.h"
#include "lyre/track/format/parse_error.h"
#include "track/format/tokens.h"

namespace lyre {

// Whether a NaN rate is taken: a note's arpeggio keeps it, a sound's refuses it.
enum class NanRate { Refuse, Keep };

// `first` is the first offset, read as a number even when it is the word
// rate (the caller reports its absence); reading stops right after a rate
// above zero.
std::expected<Arpeggio, ParseError> parse_arpeggio(std::string_view first, Tokens& rest,
                                                   std::size_t line, NanRate nan_rate);

}  // namespace lyre
