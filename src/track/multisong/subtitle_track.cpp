#include <algorithm>
#include <cstddef>
#include <utility>

#include "docformat/whitespace.h"
#include "lyre/docformat/parse_error.h"
#include "lyre/song/subtitle.h"
#include "song/float_order.h"
#include "track/format/subtitle_line.h"
#include "track/multisong/entry_body.h"

namespace lyre {

std::expected<SubtitleTrack, docformat::ParseError> SubtitleTrack::parse(
    std::span<const std::string_view> lines, std::size_t first_line) {
  SubtitleTrack track;
  auto read = read_body<SubtitleTrack>(
      lines, first_line, [&](const BodyLine& line) -> std::expected<void, ParseError> {
        auto subtitle = parse_subtitle_line(line.text, line.n);
        if (!subtitle) return std::unexpected(std::move(subtitle.error()));
        track.subtitles.push_back(std::move(*subtitle));
        return {};
      });
  if (!read) return std::unexpected(std::move(read.error()));
  std::stable_sort(track.subtitles.begin(), track.subtitles.end(),
                   [](const Subtitle& a, const Subtitle& b) { return total_less(a.beat, b.beat); });
  return track;
}

}  // namespace lyre
