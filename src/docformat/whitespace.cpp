#include "docformat/whitespace.h"

namespace lyre {

namespace {

unsigned char byte(std::string_view text, std::size_t pos) {
  return static_cast<unsigned char>(text[pos]);
}

}  // namespace

std::size_t multibyte_whitespace_at(std::string_view text, std::size_t pos) {
  const unsigned char b0 = byte(text, pos);
  const std::size_t left = text.size() - pos;
  if (b0 == 0xC2) {
    if (left < 2) return 0;
    const unsigned char b1 = byte(text, pos + 1);
    return (b1 == 0x85 || b1 == 0xA0) ? 2 : 0;
  }
  if (left < 3) return 0;
  const unsigned char b1 = byte(text, pos + 1);
  const unsigned char b2 = byte(text, pos + 2);
  switch (b0) {
    case 0xE1:  // U+1680
      return (b1 == 0x9A && b2 == 0x80) ? 3 : 0;
    case 0xE2:
      if (b1 == 0x80) {  // U+2000..U+200A, U+2028, U+2029, U+202F
        return ((b2 >= 0x80 && b2 <= 0x8A) || b2 == 0xA8 || b2 == 0xA9 || b2 == 0xAF) ? 3 : 0;
      }
      return (b1 == 0x81 && b2 == 0x9F) ? 3 : 0;  // U+205F
    case 0xE3:                                    // U+3000
      return (b1 == 0x80 && b2 == 0x80) ? 3 : 0;
    default:
      return 0;
  }
}

std::size_t whitespace_before(std::string_view text, std::size_t end) {
  if (end == 0 || end > text.size()) return 0;
  const unsigned char last = byte(text, end - 1);
  if (last < 0x80) return whitespace_at(text, end - 1);
  for (std::size_t len = 2; len <= 3 && len <= end; ++len) {
    if (whitespace_at(text, end - len) == len) return len;
  }
  return 0;
}

std::string_view trim_start(std::string_view text) {
  std::size_t pos = 0;
  while (std::size_t len = whitespace_at(text, pos)) pos += len;
  return text.substr(pos);
}

std::string_view trim_end(std::string_view text) {
  std::size_t end = text.size();
  while (std::size_t len = whitespace_before(text, end)) end -= len;
  return text.substr(0, end);
}

std::string_view trim(std::string_view text) {
  // Most lines have nothing to trim, which their two end bytes show: an
  // ASCII byte that is not space ends no White_Space character.
  if (!text.empty() && byte_kind(text.front()) == ByteKind::Other &&
      static_cast<unsigned char>(text.back()) < 0x80 && byte_kind(text.back()) == ByteKind::Other) {
    return text;
  }
  return trim_end(trim_start(text));
}

bool is_blank(std::string_view text) { return trim_start(text).empty(); }

FirstSplit split_at_whitespace(std::string_view text) {
  for (std::size_t pos = 0; pos < text.size(); ++pos) {
    if (std::size_t len = whitespace_at(text, pos)) {
      return {text.substr(0, pos), text.substr(pos + len), true};
    }
  }
  return {text, {}, false};
}

}  // namespace lyre
