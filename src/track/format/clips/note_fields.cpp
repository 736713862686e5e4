#include "track/format/clips/note_fields.h"

#include <utility>

#include "docformat/text.h"
#include "song/note/trajectory.h"
#include "track/format/clips/note_options.h"

namespace lyre {

namespace {

std::expected<float, ParseError> read_field(Tokens& tokens, std::string_view subject,
                                            std::string_view label, std::size_t n) {
  auto token = tokens.next();
  if (!token) return std::unexpected(ParseError::line(n, cat(subject, " needs ", label)));
  return parse_float(*token, n, label);
}

}  // namespace

std::expected<void, ParseError> read_note_fields(Note& note, std::string_view sound, Tokens& tokens,
                                                 std::string_view subject, std::size_t n) {
  auto start = read_field(tokens, subject, "start", n);
  if (!start) return std::unexpected(start.error());
  auto pitch = read_field(tokens, subject, "pitch", n);
  if (!pitch) return std::unexpected(pitch.error());
  auto duration = read_field(tokens, subject, "duration", n);
  if (!duration) return std::unexpected(duration.error());
  note.sound = sound;
  note.start = *start;
  note.pitch = *pitch;
  note.last_segment = PitchSegment{0.0f, *duration, Curve::ease()};
  // Most note lines end here, and their note is complete.
  if (tokens.empty()) return {};

  auto options = parse_note_options(tokens, n);
  if (!options) return std::unexpected(options.error());
  note.volume = options->volume;
  note.repeat = options->repeat;
  note.details.assign(NoteDetails{{},
                                  std::move(options->volume_points),
                                  std::move(options->text),
                                  options->text_marked,
                                  std::move(options->arpeggio)});
  // Without points the curve would rebuild the plain trajectory set above.
  if (!options->pitch_points.empty()) set_pitch_curve(note, options->pitch_points);
  return {};
}

}  // namespace lyre
