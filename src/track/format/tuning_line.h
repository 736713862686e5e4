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

}  // namespace lyre
