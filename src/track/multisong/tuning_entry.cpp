#include <utility>

#include "lyre/song/tuning.h"
#include "track/format/tuning_line.h"
#include "track/multisong/entry_body.h"

namespace lyre {

std::expected<Tuning, docformat::ParseError> Tuning::parse(std::span<const std::string_view> lines,
                                                           std::size_t first_line) {
  Tuning tuning;
  auto read = read_body<Tuning>(lines, first_line, [&](const BodyLine& line) {
    return apply_tuning_line(tuning, line.text, line.n);
  });
  if (!read) return std::unexpected(std::move(read.error()));
  normalise_tuning(tuning);
  return tuning;
}

}  // namespace lyre
