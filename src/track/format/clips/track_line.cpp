#include "track/format/clips/track_line.h"

#include <utility>

#include "docformat/text.h"
#include "track/format/clips/audio_filename.h"
#include "track/format/clips/note_fields.h"
#include "track/format/clips/placement.h"
#include "track/format/tokens.h"

namespace lyre {

namespace {

template <class T>
std::expected<TrackLine, ParseError> as_line(std::expected<T, ParseError>&& read) {
  if (!read) return std::unexpected(std::move(read.error()));
  return TrackLine(std::in_place_type<T>, std::move(*read));
}

}  // namespace

std::expected<TrackLine, ParseError> parse_track_line(std::string_view trimmed, std::size_t n) {
  Tokens tokens(trimmed);
  auto first = tokens.next();
  if (!first) return std::unexpected(ParseError::line(n, "empty track line"));
  if (*first == "motif") return as_line(parse_motif_placement(tokens, n));
  if (*first == "subtrack") return as_line(parse_subtrack_placement(tokens, n));
  if (is_audio_filename(*first)) {
    return std::unexpected(ParseError::line(
        n, cat("audio clips were replaced by sampler sounds: define '<name>: sample \"", *first,
               "\"' under '# Sounds' and place it as a note")));
  }
  return as_line(read_note_fields(*first, tokens, "note", n));
}

}  // namespace lyre
