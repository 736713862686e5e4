// Note and placement lines alone, then whole layer bodies.
#include <cstddef>
#include <cstdint>
#include <span>

#include "docformat/whitespace.h"
#include "fuzz_input.h"
#include "lyre/docformat/parse_error.h"
#include "lyre/song/note/layer.h"
#include "track/format/clips/track_line.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto text = lyre::fuzz::utf8_text(data, size);
  if (!text) return -1;
  const std::string_view line = lyre::trim(lyre::fuzz::first_line(*text));
  if (!line.empty()) lyre::parse_track_line(line, 1);
  const auto lines = lyre::fuzz::split_lines(*text);
  lyre::Layer::parse(std::span(lines));
  return 0;
}
