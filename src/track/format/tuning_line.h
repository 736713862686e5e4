// The body lines of a `# Tunings` entry: ratios, `equal <steps>` and
// `period <ratio>`.
#pragma once

#include <cstddef>
#include <expected>
#include <string_view>

#include "lyre/song/tuning.h"
#include "lyre/track/format/parse_error.h"

namespace lyre {

// Applies one trimmed, non-empty line; a failing line leaves `tuning` as it
// was.
std::expected<void, ParseError> apply_tuning_line(Tuning& tuning, std::string_view line,
                                                  std::size_t n);

// Once every line is applied: never empty, and scaled so that a first ratio
// other than 0 is exactly 1. Equal steps already start at 1.
void normalise_tuning(Tuning& tuning);

}  // namespace lyre
