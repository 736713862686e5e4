#include "lyre/track/multisong/wave.h"

#include "docformat/whitespace.h"
#include "lyre/docformat/parse_error.h"
#include "track/format/point_list.h"

namespace lyre {

std::expected<Wave, docformat::ParseError> Wave::parse(std::span<const std::string_view> lines) {
  Wave wave;
  wave.points.reserve(lines.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::size_t n = i + 1;
    std::string_view line = trim(lines[i]);
    if (line.empty()) continue;
    const WavePoint* previous = wave.points.empty() ? nullptr : &wave.points.back();
    auto point = parse_wave_point(previous, line, n);
    if (!point) return std::unexpected(docformat::ParseError::at_line(n, point.error()));
    wave.points.push_back(*point);
  }
  return wave;
}

}  // namespace lyre
