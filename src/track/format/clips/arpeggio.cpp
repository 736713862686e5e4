#include "track/format/clips/arpeggio.h"

namespace lyre {

std::expected<Arpeggio, ParseError> parse_arpeggio(std::string_view first, Tokens& rest,
                                                   std::size_t line) {
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
    auto rate_token = rest.next();
    if (!rate_token) return std::unexpected(ParseError::line(line, "arpeggio rate needs a value"));
    auto rate = parse_float(*rate_token, line, "arpeggio rate");
    if (!rate) return std::unexpected(rate.error());
    if (!(*rate > 0.0f)) break;  // zero, negative or NaN
    arpeggio.rate = *rate;
    return arpeggio;
  }
  return std::unexpected(ParseError::line(line, "arpeggio needs 'rate <steps per second>'"));
}

}  // namespace lyre
