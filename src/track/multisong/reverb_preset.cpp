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
#include "track/multisong/entry_body.h"

namespace lyre {

std::expected<ReverbPreset, docformat::ParseError> ReverbPreset::parse(
    std::span<const std::string_view> lines, std::size_t first_line) {
  ReverbPreset preset;
  auto read = read_body<ReverbPreset>(
      lines, first_line, [&](const BodyLine& line) -> std::expected<void, ParseError> {
        const FirstSplit split = split_at_whitespace(line.text);
        // The value is checked before the key; the message quotes it as written.
        auto value = read_float(trim(split.tail));
        if (!value) {
          return fail(line.n, cat("invalid reverb value '", split.tail, "'"), split.tail);
        }
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
          return fail(line.n, cat("unknown reverb key '", key, "'"), key);
        }
        return {};
      });
  if (!read) return std::unexpected(std::move(read.error()));
  return preset;
}

}  // namespace lyre
