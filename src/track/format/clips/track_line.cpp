#include "track/format/clips/track_line.h"

#include <utility>

#include "docformat/text.h"
#include "track/format/clips/audio_filename.h"
#include "track/format/clips/note_fields.h"
#include "track/format/clips/placement.h"

namespace lyre {

namespace {

template <class T>
std::expected<TrackLine, ParseError> as_line(std::expected<T, ParseError>&& read) {
  if (!read) return std::unexpected(std::move(read.error()));
  return TrackLine(std::in_place_type<T>, std::move(*read));
}

}  // namespace

std::expected<ClipHead, ParseError> read_clip_head(Tokens& tokens, std::size_t n) {
  auto first = tokens.next();
  if (!first) return std::unexpected(ParseError::line(n, "empty track line"));
  if (*first == "motif") return ClipHead{ClipKind::Motif, *first};
  if (*first == "subtrack") return ClipHead{ClipKind::Subtrack, *first};
  if (is_audio_filename(*first)) {
    return std::unexpected(ParseError::line(
        n, cat("audio clips were replaced by sampler sounds: define '<name>: sample \"", *first,
               "\"' under '# Sounds' and place it as a note")));
  }
  return ClipHead{ClipKind::Note, *first};
}

std::expected<TrackLine, ParseError> parse_track_line(std::string_view trimmed, std::size_t n) {
  Tokens tokens(trimmed);
  auto head = read_clip_head(tokens, n);
  if (!head) return std::unexpected(std::move(head.error()));
  switch (head->kind) {
    case ClipKind::Motif:
      return as_line(parse_motif_placement(tokens, n));
    case ClipKind::Subtrack:
      return as_line(parse_subtrack_placement(tokens, n));
    case ClipKind::Note:
      break;
  }
  std::expected<TrackLine, ParseError> line(std::in_place_type<Note>);
  auto read = read_note_fields(std::get<Note>(*line), head->first, tokens, "note", n);
  if (!read) return std::unexpected(std::move(read.error()));
  return line;
}

}  // namespace lyre
