#include "track/format/sounds/lfo.h"

#include <string>

#include "docformat/text.h"
#include "track/format/sounds/waveform_alias.h"

namespace lyre {

std::expected<Lfo, ParseError> parse_lfo(std::string_view first, Tokens& rest, std::size_t line,
                                         std::string_view directive) {
  auto rate = parse_float(first, line, directive);
  if (!rate) return std::unexpected(rate.error());
  auto depth_token = rest.next();
  if (!depth_token) {
    return std::unexpected(ParseError::line(line, cat(directive, " needs <rate> <depth>")));
  }
  auto depth = parse_float(*depth_token, line, directive);
  if (!depth) return std::unexpected(depth.error());
  std::string shape;
  if (auto token = rest.next()) shape = expand_waveform_alias(*token);
  return Lfo{std::move(shape), *rate, *depth};
}

}  // namespace lyre
