// Harmonic lines of a sound entry: `sine@2 0.25`, `square 1 duty 0.25`,
// `wave@2 pad 0.6`.
#pragma once

#include <cstddef>
#include <expected>
#include <string_view>

#include "lyre/docformat/name_place.h"
#include "lyre/song/sound/sound.h"
#include "lyre/track/format/parse_error.h"

namespace lyre {

// Appends one harmonic to `sound`; a failing line appends nothing. `at`
// places its source.
std::expected<void, ParseError> apply_harmonic_line(Sound& sound, std::string_view line,
                                                    std::size_t n,
                                                    const docformat::LineAt& at = {});

}  // namespace lyre
