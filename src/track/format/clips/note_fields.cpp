#include "track/format/clips/note_fields.h"

#include <array>
#include <utility>

#include "docformat/text.h"
#include "song/note/trajectory.h"
#include "track/format/clips/note_options.h"

namespace lyre {

std::expected<void, ParseError> read_note_fields(Note& note, Tokens& tokens,
                                                 std::string_view subject, std::size_t n) {
  // Read here, not by a call per field: each number's result is tested
  // where it is read instead of being returned through memory.
  constexpr std::array<std::string_view, 3> kLabels = {"start", "pitch", "duration"};
  std::array<float, 3> fields{};
  for (std::size_t i = 0; i < fields.size(); ++i) {
    auto token = tokens.next();
    if (!token) return std::unexpected(ParseError::line(n, cat(subject, " needs ", kLabels[i])));
    auto value = parse_float(*token, n, kLabels[i]);
    if (!value) return std::unexpected(value.error());
    fields[i] = *value;
  }
  note.start = fields[0];
  note.pitch = fields[1];
  note.last_segment = PitchSegment{0.0f, fields[2], Curve::ease()};
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
