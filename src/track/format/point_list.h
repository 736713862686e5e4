// Wave vertex lines and the comma-separated point lists of note curves and
// placement overrides.
#pragma once

#include <cstddef>
#include <expected>
#include <string_view>
#include <vector>

#include "lyre/song/wave_point.h"
#include "lyre/track/format/parse_error.h"

namespace lyre {

// One wave vertex line, "<x> <y> [curve]", with x within 0..1 and not below
// the x of `previous` (null for the first vertex).
std::expected<WavePoint, ParseError> parse_wave_point(const WavePoint* previous,
                                                      std::string_view line, std::size_t n);

// Comma-separated points of "<x> <y> [curve]"; no range or order check.
std::expected<std::vector<WavePoint>, ParseError> parse_wave_points(std::string_view text,
                                                                    std::size_t n);

}  // namespace lyre
