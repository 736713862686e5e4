// The effect text of a layer's effect directive.
#include <cstddef>
#include <cstdint>

#include "docformat/whitespace.h"
#include "fuzz_input.h"
#include "track/format/sounds/effect.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto text = lyre::fuzz::utf8_text(data, size);
  if (!text) return -1;
  lyre::parse_effect(lyre::trim(lyre::fuzz::first_line(*text)), 1);
  return 0;
}
