// One subtitle line: the beat, then the text.
#pragma once

#include <cstddef>
#include <expected>
#include <string_view>

#include "lyre/song/subtitle.h"
#include "lyre/track/format/parse_error.h"

namespace lyre {

// `line` is a trimmed body line; `n` its number within the body.
std::expected<Subtitle, ParseError> parse_subtitle_line(std::string_view line, std::size_t n);

}  // namespace lyre
