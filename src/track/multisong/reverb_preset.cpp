#include "lyre/track/multisong/reverb_preset.h"

#include <array>
#include <cstddef>
#include <string>
#include <utility>

#include "docformat/text.h"
#include "docformat/whitespace.h"
#include "lyre/docformat/parse_error.h"
#include "lyre/track/format/parse_error.h"
#include "song/clamp.h"
#include "track/format/directive_table.h"
#include "track/format/tokens.h"
#include "track/multisong/entry_body.h"

namespace lyre {

namespace {

using KeyReader = void (*)(ReverbPreset& preset, float value);

constexpr std::array<Directive<KeyReader>, 4> kReverbKeys = {{
    {"room_size", [](ReverbPreset& preset, float value) { preset.room_size = clamp_unit(value); }},
    {"decay", [](ReverbPreset& preset, float value) { preset.decay = clamp_unit(value); }},
    {"mix", [](ReverbPreset& preset, float value) { preset.mix = clamp_unit(value); }},
    {"predelay",
     [](ReverbPreset& preset, float value) { preset.predelay = at_least(value, 0.0f); }},
}};
static_assert(distinct_words(kReverbKeys));

}  // namespace

std::expected<ReverbPreset, docformat::ParseError> ReverbPreset::parse(
    std::span<const std::string_view> lines, std::size_t first_line) {
  ReverbPreset preset;
  auto read = read_body<ReverbPreset>(
      lines, first_line, [&](const BodyLine& line) -> std::expected<void, ParseError> {
        const FirstSplit split = split_at_whitespace(line.text);
        // The value is checked before the key is looked up in the table; the
        // message quotes it as written.
        auto value = read_float(trim(split.tail));
        if (!value) {
          return fail(line.n, cat("invalid reverb value '", split.tail, "'"), split.tail);
        }
        const std::string_view key = split.head;
        const KeyReader* read = find_directive(kReverbKeys, key);
        if (!read) return fail(line.n, cat("unknown reverb key '", key, "'"), key);
        (*read)(preset, *value);
        return {};
      });
  if (!read) return std::unexpected(std::move(read.error()));
  return preset;
}

}  // namespace lyre
