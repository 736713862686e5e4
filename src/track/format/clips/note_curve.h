// Curve lines indented under a note: "pitch <points>" or "volume <points>".
#pragma once

#include <cstddef>
#include <expected>
#include <string_view>

#include "lyre/song/note/note.h"
#include "lyre/track/format/parse_error.h"

namespace lyre {

// Replaces the note's volume curve, or its pitch trajectory over its current
// duration, by the points of the trimmed `line`; a failing line changes
// nothing.
std::expected<void, ParseError> apply_note_curve(Note& note, std::string_view line, std::size_t n);

}  // namespace lyre
