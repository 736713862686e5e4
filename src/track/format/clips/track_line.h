// A note or placement line of a layer body.
#pragma once

#include <cstddef>
#include <expected>
#include <string_view>
#include <variant>

#include "lyre/song/note/note.h"
#include "lyre/song/note/placement.h"
#include "lyre/track/format/parse_error.h"
#include "track/format/tokens.h"

namespace lyre {

// What a track line is, told by its first token.
enum class ClipKind { Note, Motif, Subtrack };

struct ClipHead {
  ClipKind kind;
  std::string_view first;  // the first token: for a note line, its sound
};

// Takes the first token from `tokens` and tells the kind of line; refuses an
// empty line and an audio file name. The rest of the line stays in `tokens`.
std::expected<ClipHead, ParseError> read_clip_head(Tokens& tokens, std::size_t n);

using TrackLine = std::variant<Note, MotifInstance, SubtrackInstance>;

// "<sound> <start> <pitch> <duration> [options]", or a placement line when
// the first token is motif or subtrack. `trimmed` has no surrounding space.
std::expected<TrackLine, ParseError> parse_track_line(std::string_view trimmed, std::size_t n);

}  // namespace lyre
