#include "track/format/clips/arpeggio.h"

#include <cmath>

namespace lyre {

std::expected<Arpeggio, ParseError> parse_arpeggio(std::string_view first, Tokens& rest,
                                                   std::size_t line, NanRate nan_rate) {
  Arpeggio arpeggio;
  auto offset = parse_float(first, line, "arpeggio offset");
  if (!offset) return std::unexpected(offset.error());
  arpeggio.offsets.push_back(*offset);
  while (auto token = rest.next()) {
    if (*token != "rate") {
      offset = parse_float(*token, line, "arpeggio offset");
      if (!offset) return std::unexpected(offset.error());
      arpeggio.offsets.push_back(*offset);
      continue;
    }
    auto rate = parse_next_float(rest, line, "arpeggio rate");
    if (!rate) return std::unexpected(rate.error());
    const bool kept_nan = nan_rate == NanRate::Keep && std::isnan(*rate);
    if (!(*rate > 0.0f) && !kept_nan) break;
    arpeggio.rate = *rate;
    return arpeggio;
  }
  return std::unexpected(ParseError::line(line, "arpeggio needs 'rate <steps per second>'"));
}

}  // namespace lyre
