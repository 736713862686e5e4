// The whole per-file pipeline on arbitrary bytes, with imports served from
// the built-in libraries only.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_input.h"
#include "lyre/track.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto text = lyre::fuzz::read_text_of(data, size);
  if (!text) return -1;
  const lyre::SourceReader read = lyre::fuzz::read_std_only;
  lyre::check_text("fuzz.track", *text, std::string(), /*refresh=*/false, read);
  return 0;
}
