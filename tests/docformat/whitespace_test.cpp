#include "docformat/whitespace.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lyre {
namespace {

std::string utf8(std::uint32_t code_point) {
  std::string out;
  if (code_point < 0x80) {
    out += static_cast<char>(code_point);
  } else if (code_point < 0x800) {
    out += static_cast<char>(0xC0 | (code_point >> 6));
    out += static_cast<char>(0x80 | (code_point & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (code_point >> 12));
    out += static_cast<char>(0x80 | ((code_point >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code_point & 0x3F));
  }
  return out;
}

// The White_Space characters, none of which is beyond three bytes.
const std::vector<std::uint32_t> kWhiteSpace = {
    0x09,   0x0A,   0x0B,   0x0C,   0x0D,   0x20,   0x85,   0xA0,   0x1680,
    0x2000, 0x2001, 0x2002, 0x2003, 0x2004, 0x2005, 0x2006, 0x2007, 0x2008,
    0x2009, 0x200A, 0x2028, 0x2029, 0x202F, 0x205F, 0x3000};

TEST(WhitespaceAt, KnowsExactlyTheWhiteSpaceCharacters) {
  for (std::uint32_t code_point = 0; code_point < 0x10000; ++code_point) {
    if (code_point >= 0xD800 && code_point <= 0xDFFF) continue;
    const std::string text = utf8(code_point);
    const bool white =
        std::find(kWhiteSpace.begin(), kWhiteSpace.end(), code_point) != kWhiteSpace.end();
    EXPECT_EQ(whitespace_at(text, 0), white ? text.size() : 0) << std::hex << code_point;
  }
}

// The scans that step over `Other` bytes without a call must never step over
// the start of a White_Space character, nor stop at an ASCII byte that is not
// one.
TEST(ByteKind, MarksEveryByteThatCanBeginWhiteSpace) {
  for (std::uint32_t code_point : kWhiteSpace) {
    const std::string text = utf8(code_point);
    const ByteKind expected = text.size() == 1 ? ByteKind::Space : ByteKind::Lead;
    EXPECT_EQ(byte_kind(text[0]), expected) << std::hex << code_point;
  }
  for (int b = 0; b < 0x80; ++b) {
    const std::string text(1, static_cast<char>(b));
    EXPECT_EQ(byte_kind(text[0]) == ByteKind::Space, whitespace_at(text, 0) == 1) << b;
  }
}

struct TrimCase {
  std::string_view text;
  std::string_view trimmed;
};

TEST(Trim, RemovesWhiteSpaceAtBothEndsOnly) {
  const std::vector<TrimCase> cases = {
      {"", ""},
      {"a", "a"},
      {"piano 0 60 1", "piano 0 60 1"},
      {"  a b\t", "a b"},
      {"\u00a0a\u3000", "a"},
      {"a\u2028", "a"},
      {"\u0085a", "a"},
      {" \u00a0 \u205f ", ""},
      // Characters that share a lead byte with White_Space stay.
      {"\u00a9a\u00a9", "\u00a9a\u00a9"},
      {"\u2014a\u2014", "\u2014a\u2014"},
      {"\u00e9", "\u00e9"},
      {"a\u3001", "a\u3001"},
      {"\037a\037", "\037a\037"},
  };
  for (const TrimCase& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(trim(c.text), c.trimmed);
  }
}

}  // namespace
}  // namespace lyre
