// One `@name value` sound directive, then whole sound bodies.
#include <cstddef>
#include <cstdint>
#include <span>

#include "docformat/whitespace.h"
#include "fuzz_input.h"
#include "lyre/docformat/parse_error.h"
#include "lyre/song/sound/sound.h"
#include "track/format/sounds/sound_directive.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto text = lyre::fuzz::utf8_text(data, size);
  if (!text) return -1;
  std::string_view line = lyre::trim(lyre::fuzz::first_line(*text));
  if (line.starts_with('@')) line.remove_prefix(1);
  const lyre::FirstSplit split = lyre::split_at_whitespace(line);
  lyre::Sound sound;
  lyre::apply_sound_directive(sound, split.head, lyre::trim(split.tail), 1);
  const auto lines = lyre::fuzz::split_lines(*text);
  lyre::Sound::parse(std::span(lines));
  return 0;
}
