// A note or placement line of a layer body.
#pragma once

#include <concepts>
#include <cstddef>
#include <expected>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

#include "lyre/song/note/note.h"
#include "lyre/song/note/placement.h"
#include "lyre/track/format/parse_error.h"
#include "track/format/clips/note_fields.h"
#include "track/format/clips/placement.h"
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

// Where a read track line goes: placements are handed over, and a note is
// read in place into the one `new_note()` gives, dropped again when it
// fails, and given its sound by `set_sound` once it is read.
template <class Sink>
concept TrackLineSink = requires(Sink& sink, MotifInstance motif, SubtrackInstance subtrack,
                                 Note& note, std::string_view sound) {
  sink.add(std::move(motif));
  sink.add(std::move(subtrack));
  { sink.new_note() } -> std::same_as<Note&>;
  sink.drop_note();
  sink.set_sound(note, sound);
};

// Reads one track line (see `parse_track_line`) into `sink`; on an error the
// sink holds what it held before. `at` places the names the line refers to.
template <TrackLineSink Sink>
std::expected<ClipKind, ParseError> read_track_line(std::string_view trimmed, std::size_t n,
                                                    Sink& sink, const docformat::LineAt& at = {}) {
  Tokens tokens(trimmed);
  auto head = read_clip_head(tokens, n);
  if (!head) return std::unexpected(std::move(head.error()));
  switch (head->kind) {
    case ClipKind::Motif: {
      auto placement = parse_motif_placement(tokens, n, at);
      if (!placement) return std::unexpected(std::move(placement.error()));
      sink.add(std::move(*placement));
      return ClipKind::Motif;
    }
    case ClipKind::Subtrack: {
      auto placement = parse_subtrack_placement(tokens, n, at);
      if (!placement) return std::unexpected(std::move(placement.error()));
      sink.add(std::move(*placement));
      return ClipKind::Subtrack;
    }
    case ClipKind::Note:
      break;
  }
  Note& note = sink.new_note();
  auto read = read_note_fields(note, tokens, "note", n);
  if (!read) {
    sink.drop_note();
    return std::unexpected(std::move(read.error()));
  }
  sink.set_sound(note, head->first);
  note.sound_at = at.of(head->first);
  return ClipKind::Note;
}

// A note line read alone: the note and the name of its sound.
struct NoteLine {
  std::string sound{};
  Note note{};
  bool operator==(const NoteLine&) const = default;
};

using TrackLine = std::variant<NoteLine, MotifInstance, SubtrackInstance>;

// "<sound> <start> <pitch> <duration> [options]", or a placement line when
// the first token is motif or subtrack. `trimmed` has no surrounding space.
std::expected<TrackLine, ParseError> parse_track_line(std::string_view trimmed, std::size_t n);

}  // namespace lyre
