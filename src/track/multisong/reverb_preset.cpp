#include "lyre/track/multisong/reverb_preset.h"

#include <cstddef>
#include <string>
#include <utility>

#include "docformat/text.h"
#include "docformat/whitespace.h"
#include "lyre/docformat/parse_error.h"
#include "lyre/track/format/parse_error.h"
#include "song/clamp.h"
#include "track/format/tokens.h"

namespace lyre {

namespace {

std::unexpected<docformat::ParseError> preset_error(std::size_t line, std::string message,
                                                    std::string_view token = {}) {
  return std::unexpected(
      docformat::ParseError::source(ParseError::line(line, std::move(message), token)));
}

}  // namespace

std::expected<ReverbPreset, docformat::ParseError> ReverbPreset::parse(
    std::span<const std::string_view> lines) {
  ReverbPreset preset;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::size_t n = i + 1;
    const std::string_view line = trim(lines[i]);
    if (line.empty()) continue;
    const FirstSplit split = split_at_whitespace(line);
    // The value is checked before the key; the message quotes it as written.
    auto value = read_float(trim(split.tail));
    if (!value) return preset_error(n, cat("invalid reverb value '", split.tail, "'"), split.tail);
    const std::string_view key = split.head;
    if (key == "room_size") {
      preset.room_size = clamp_unit(*value);
    } else if (key == "decay") {
      preset.decay = clamp_unit(*value);
    } else if (key == "mix") {
      preset.mix = clamp_unit(*value);
    } else if (key == "predelay") {
      preset.predelay = at_least(*value, 0.0f);
    } else {
      return preset_error(n, cat("unknown reverb key '", key, "'"), key);
    }
  }
  return preset;
}

}  // namespace lyre
