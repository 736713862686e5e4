// The `@` directive lines of a sound entry, such as `@decay 1.1 ease-out`.
#pragma once

#include <cstddef>
#include <expected>
#include <string_view>

#include "lyre/song/sound/sound.h"
#include "lyre/track/format/parse_error.h"

namespace lyre {

// `name` is the word after `@`, `value` the trimmed rest of the line. A
// failing directive leaves `sound` as it was.
std::expected<void, ParseError> apply_sound_directive(Sound& sound, std::string_view name,
                                                      std::string_view value, std::size_t line);

}  // namespace lyre
