// The whole per-file pipeline on arbitrary bytes, with imports served from
// the built-in libraries only.
#include <cstddef>
#include <cstdint>
#include <expected>
#include <string>
#include <string_view>

#include "fuzz_input.h"
#include "lyre/track.h"
#include "track/format/source/std_libraries.h"

namespace {

std::expected<std::string, lyre::ParseError> read_std_only(std::string_view name) {
  if (auto text = lyre::std_source(name)) return std::string(*text);
  return std::unexpected(
      lyre::ParseError(lyre::ParseError::ImportRead{std::string(name), "no files while fuzzing"}));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The read stage refuses invalid UTF-8 and drops one leading byte order mark.
  auto text = lyre::fuzz::utf8_text(data, size);
  if (!text) return -1;
  if (text->starts_with("\xEF\xBB\xBF")) text->remove_prefix(3);
  const lyre::SourceReader read = read_std_only;
  lyre::check_text("fuzz.track", *text, std::string(), /*refresh=*/false, read);
  return 0;
}
