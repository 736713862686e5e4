#include "docformat/whitespace.h"
#include "lyre/docformat/parse_error.h"
#include "lyre/song/sound/sound.h"
#include "track/format/sounds/harmonic_line.h"
#include "track/format/sounds/sound_directive.h"
#include "track/multisong/entry_body.h"

namespace lyre {

namespace {

// A trimmed, non-empty body line: a directive when it begins with '@', else
// a harmonic line.
std::expected<void, ParseError> apply_sound_line(Sound& sound, std::string_view text,
                                                 std::size_t line, const docformat::LineAt& at) {
  if (!text.starts_with('@')) return apply_harmonic_line(sound, text, line, at);
  const FirstSplit split = split_at_whitespace(text.substr(1));
  return apply_sound_directive(sound, split.head, trim(split.tail), line);
}

}  // namespace

std::expected<Sound, docformat::ParseError> Sound::parse(std::span<const std::string_view> lines,
                                                         std::size_t first_line) {
  Sound sound;
  auto read = read_body<Sound>(lines, first_line, [&](const BodyLine& line) {
    return apply_sound_line(sound, line.text, line.n, line.at);
  });
  if (!read) return std::unexpected(std::move(read.error()));
  return sound;
}

void Sound::rename_references(const docformat::RenameMap& map) {
  for (Harmonic& harmonic : harmonics) docformat::rename(harmonic.source, map);
}

}  // namespace lyre
