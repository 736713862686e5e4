// An envelope stage written as a duration and an optional curve word.
#pragma once

#include <cstddef>
#include <expected>
#include <optional>
#include <string_view>

#include "lyre/song/sound/envelope_stage.h"
#include "lyre/track/format/parse_error.h"

namespace lyre {

// Without a curve token the stage eases both ways.
std::expected<EnvelopeStage, ParseError> parse_envelope(std::string_view duration,
                                                        std::optional<std::string_view> curve,
                                                        std::size_t line);

}  // namespace lyre
