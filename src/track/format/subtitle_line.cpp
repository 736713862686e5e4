#include "track/format/subtitle_line.h"

#include <string>

#include "docformat/whitespace.h"
#include "track/format/tokens.h"

namespace lyre {

std::expected<Subtitle, ParseError> parse_subtitle_line(std::string_view line, std::size_t n) {
  const FirstSplit split = split_at_whitespace(line);
  auto beat = parse_float(split.head, n, "subtitle beat");
  if (!beat) return std::unexpected(beat.error());
  // Inner runs of white space are part of the text.
  return Subtitle{std::string(trim(split.tail)), *beat};
}

}  // namespace lyre
