#include "track/format/clips/note_curve.h"

#include <utility>

#include "docformat/text.h"
#include "docformat/whitespace.h"
#include "song/note/trajectory.h"
#include "track/format/point_list.h"

namespace lyre {

std::expected<void, ParseError> apply_note_curve(Note& note, std::string_view line, std::size_t n) {
  FirstSplit split = split_at_whitespace(line);
  if (!split.found) return std::unexpected(ParseError::line(n, "note curve needs points"));
  // The points are read before the word is looked at.
  auto points = parse_wave_points(split.tail, n);
  if (!points) return std::unexpected(points.error());
  if (split.head == "volume") {
    note.details.edit().volume_curve = std::move(*points);
  } else if (split.head == "pitch") {
    set_pitch_curve(note, *points);
  } else {
    return std::unexpected(
        ParseError::line(n, cat("unknown note curve '", split.head, "'"), split.head));
  }
  return {};
}

}  // namespace lyre
