#include "track/format/source/utf8.h"

#include <cstdint>
#include <cstring>

namespace lyre {

namespace {

bool is_continuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// The range the second byte must fall in, which rules out overlong forms,
// surrogates and code points above U+10FFFF; later bytes are plain
// continuation bytes.
struct Lead {
  std::size_t length;  // 0: the byte never starts a character
  unsigned char second_min;
  unsigned char second_max;
};

Lead lead_of(unsigned char b) {
  if (b >= 0xC2 && b <= 0xDF) return {2, 0x80, 0xBF};
  if (b == 0xE0) return {3, 0xA0, 0xBF};
  if (b == 0xED) return {3, 0x80, 0x9F};
  if (b >= 0xE1 && b <= 0xEF) return {3, 0x80, 0xBF};
  if (b == 0xF0) return {4, 0x90, 0xBF};
  if (b >= 0xF1 && b <= 0xF3) return {4, 0x80, 0xBF};
  if (b == 0xF4) return {4, 0x80, 0x8F};
  return {0, 0, 0};
}

bool has_high_bit(std::string_view bytes, std::size_t at) {
  std::uint64_t word;
  std::memcpy(&word, bytes.data() + at, sizeof word);
  return (word & 0x8080808080808080ULL) != 0;
}

}  // namespace

Utf8Step utf8_step(std::string_view bytes, std::size_t at) {
  const auto first = static_cast<unsigned char>(bytes[at]);
  if (first < 0x80) return {1, true};
  const Lead lead = lead_of(first);
  if (lead.length == 0) return {1, false};
  std::size_t n = 1;
  while (n < lead.length && at + n < bytes.size()) {
    const auto b = static_cast<unsigned char>(bytes[at + n]);
    const bool fits = n == 1 ? (b >= lead.second_min && b <= lead.second_max) : is_continuation(b);
    if (!fits) break;
    ++n;
  }
  return {n, n == lead.length};
}

std::size_t first_invalid_utf8(std::string_view bytes) {
  std::size_t i = 0;
  while (i < bytes.size()) {
    if (i + 8 <= bytes.size() && !has_high_bit(bytes, i)) {
      i += 8;
      continue;
    }
    const Utf8Step step = utf8_step(bytes, i);
    if (!step.valid) return i;
    i += step.length;
  }
  return std::string_view::npos;
}

}  // namespace lyre
