#include "track/format/clips/track_line.h"

#include <optional>
#include <utility>

#include "docformat/text.h"
#include "track/format/clips/audio_filename.h"

namespace lyre {

namespace {

// Holds the one line read.
struct LineSink {
  std::optional<TrackLine> line;
  void add(MotifInstance motif) {
    line.emplace(std::in_place_type<MotifInstance>, std::move(motif));
  }
  void add(SubtrackInstance subtrack) {
    line.emplace(std::in_place_type<SubtrackInstance>, std::move(subtrack));
  }
  Note& new_note() { return std::get<NoteLine>(line.emplace(std::in_place_type<NoteLine>)).note; }
  void drop_note() { line.reset(); }
  void set_sound(Note&, std::string_view sound) { std::get<NoteLine>(*line).sound = sound; }
};

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
  LineSink sink;
  auto read = read_track_line(trimmed, n, sink);
  if (!read) return std::unexpected(std::move(read.error()));
  return std::move(*sink.line);
}

}  // namespace lyre
