#include "lyre/track/multisong/wave.h"

#include "docformat/whitespace.h"
#include "lyre/docformat/parse_error.h"
#include "track/format/point_list.h"
#include "track/multisong/entry_body.h"

namespace lyre {

std::expected<Wave, docformat::ParseError> Wave::parse(std::span<const std::string_view> lines,
                                                       std::size_t first_line) {
  Wave wave;
  wave.points.reserve(lines.size());
  auto read = read_body<Wave>(
      lines, first_line, [&](const BodyLine& line) -> std::expected<void, ParseError> {
        const WavePoint* previous = wave.points.empty() ? nullptr : &wave.points.back();
        auto point = parse_wave_point(previous, line.text, line.n);
        if (!point) return std::unexpected(std::move(point.error()));
        wave.points.push_back(*point);
        return {};
      });
  if (!read) return std::unexpected(std::move(read.error()));
  return wave;
}

}  // namespace lyre
