// Unicode White_Space handling over UTF-8 text. Every trim, blank-line test
// and token split of the format uses these, so that U+00A0 or U+3000 count
// as space exactly where an ASCII blank does.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace lyre {

// Byte length of the White_Space character of two or three bytes that
// starts at `pos`, or 0. REQUIRES: the byte at `pos` is at least 0xC2.
std::size_t multibyte_whitespace_at(std::string_view text, std::size_t pos);

// Byte length of the White_Space character that starts at `pos`, or 0.
// Inline so that token and trim loops test ASCII bytes without a call.
inline std::size_t whitespace_at(std::string_view text, std::size_t pos) {
  if (pos >= text.size()) return 0;
  const auto b0 = static_cast<unsigned char>(text[pos]);
  if (b0 == ' ' || (b0 >= 0x09 && b0 <= 0x0D)) return 1;
  if (b0 < 0xC2) return 0;
  return multibyte_whitespace_at(text, pos);
}

// What one byte tells of White_Space, for scans that step over ASCII text
// without a call: `Space` is an ASCII White_Space character, `Lead` the first
// byte of every multibyte one (and of other characters), `Other` neither.
enum class ByteKind : unsigned char { Other, Space, Lead };

inline constexpr std::array<ByteKind, 256> kByteKinds = [] {
  std::array<ByteKind, 256> kinds{};
  for (unsigned b : {0x09u, 0x0Au, 0x0Bu, 0x0Cu, 0x0Du, 0x20u}) kinds[b] = ByteKind::Space;
  for (unsigned b : {0xC2u, 0xE1u, 0xE2u, 0xE3u}) kinds[b] = ByteKind::Lead;
  return kinds;
}();

inline ByteKind byte_kind(char c) { return kByteKinds[static_cast<unsigned char>(c)]; }

// Byte length of the White_Space character that ends just before `end`, or 0.
std::size_t whitespace_before(std::string_view text, std::size_t end);

std::string_view trim_start(std::string_view text);
std::string_view trim_end(std::string_view text);
std::string_view trim(std::string_view text);
bool is_blank(std::string_view text);

// The text cut at its first White_Space character: `head` before it, `tail`
// after that one character (untrimmed). Without one, `head` is the whole
// text, `tail` is empty and `found` is false.
struct FirstSplit {
  std::string_view head;
  std::string_view tail;
  bool found = false;
};
FirstSplit split_at_whitespace(std::string_view text);

}  // namespace lyre
