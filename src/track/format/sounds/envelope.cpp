#include "track/format/sounds/envelope.h"

#include "track/format/sounds/curve.h"
#include "track/format/tokens.h"

namespace lyre {

std::expected<EnvelopeStage, ParseError> parse_envelope(std::string_view duration,
                                                        std::optional<std::string_view> curve,
                                                        std::size_t line) {
  auto length = parse_float(duration, line, "duration");
  if (!length) return std::unexpected(length.error());
  if (!curve) return EnvelopeStage{*length, Curve::ease()};
  auto easing = parse_curve(*curve, line);
  if (!easing) return std::unexpected(easing.error());
  return EnvelopeStage{*length, *easing};
}

}  // namespace lyre
