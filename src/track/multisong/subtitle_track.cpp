#include <algorithm>
#include <cstddef>
#include <utility>

#include "docformat/whitespace.h"
#include "lyre/docformat/parse_error.h"
#include "lyre/song/subtitle.h"
#include "song/float_order.h"
#include "track/format/subtitle_line.h"

namespace lyre {

std::expected<SubtitleTrack, docformat::ParseError> SubtitleTrack::parse(
    std::span<const std::string_view> lines) {
  SubtitleTrack track;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string_view line = trim(lines[i]);
    if (line.empty()) continue;
    auto subtitle = parse_subtitle_line(line, i + 1);
    if (!subtitle) return std::unexpected(docformat::ParseError::source(subtitle.error()));
    track.subtitles.push_back(std::move(*subtitle));
  }
  std::stable_sort(track.subtitles.begin(), track.subtitles.end(),
                   [](const Subtitle& a, const Subtitle& b) { return total_less(a.beat, b.beat); });
  return track;
}

}  // namespace lyre
