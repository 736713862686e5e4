// Strict UTF-8 decoding steps shared by the file reader and the path display:
// overlong forms, surrogates, code points above U+10FFFF and truncated
// sequences are invalid.
#pragma once

#include <cstddef>
#include <string_view>

namespace lyre {

// One decoding step at `at` (REQUIRES: at < bytes.size()). A valid character
// gives its byte length; an invalid one gives the length of its maximal
// invalid subpart (at least 1), the unit that lossy decoding replaces with
// one U+FFFD.
struct Utf8Step {
  std::size_t length;
  bool valid;
};
Utf8Step utf8_step(std::string_view bytes, std::size_t at);

// Offset of the first byte that does not start a valid character, or
// std::string_view::npos when the whole text is valid UTF-8.
std::size_t first_invalid_utf8(std::string_view bytes);

}  // namespace lyre
