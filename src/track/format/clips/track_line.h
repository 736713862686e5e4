// A note or placement line of a layer body.
#pragma once

#include <cstddef>
#include <expected>
#include <string_view>
#include <variant>

#include "lyre/song/note/note.h"
#include "lyre/song/note/placement.h"
#include "lyre/track/format/parse_error.h"

namespace lyre {

using TrackLine = std::variant<Note, MotifInstance, SubtrackInstance>;

// "<sound> <start> <pitch> <duration> [options]", or a placement line when
// the first token is motif or subtrack. `trimmed` has no surrounding space.
std::expected<TrackLine, ParseError> parse_track_line(std::string_view trimmed, std::size_t n);

}  // namespace lyre
