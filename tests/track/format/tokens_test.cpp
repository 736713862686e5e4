#include "track/format/tokens.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "table_runner_test_support.h"
#include "track/line_error_test_support.h"

namespace lyre {
namespace {

using test_support::expect_rows;
using test_support::Fails;
using test_support::message_on_line;
using Views = std::vector<std::string_view>;

TEST(Tokens, SplitAtUnicodeWhiteSpace) {
  Tokens tokens("  a\u00a0b\t\tc\u3000 ");
  EXPECT_EQ(tokens.peek(), "a");
  EXPECT_EQ(tokens.next(), "a");
  EXPECT_EQ(tokens.rest(), "b\t\tc\u3000 ");
  EXPECT_EQ(tokens.next(), "b");
  EXPECT_EQ(tokens.next(), "c");
  EXPECT_EQ(tokens.next(), std::nullopt);
  EXPECT_TRUE(tokens.empty());
}

// Every token of the text, after which the cursor must be empty.
Views all_tokens(std::string_view text) {
  Tokens tokens(text);
  Views got;
  while (auto token = tokens.next()) got.push_back(*token);
  EXPECT_TRUE(tokens.empty());
  return got;
}

// ASCII text is cut without a call; a multibyte character hands the cut to
// the general one, which must give the same tokens.
TEST(Tokens, CutAtEveryWhiteSpaceCharacterAndNothingElse) {
  const std::vector<test_support::Row<std::string_view, Views>> rows = {
      {"", Views{}},
      {" \t\n", Views{}},
      {"piano 0 60 1", {"piano", "0", "60", "1"}},
      {"\u00a0\u3000", Views{}},
      {"a\u00a0b", {"a", "b"}},
      {"a\u2028b\u2029c\u202fd\u205fe\u1680f\u0085g\u2000h\u200ai",
       {"a", "b", "c", "d", "e", "f", "g", "h", "i"}},
      {"\u3000lead", {"lead"}},
      {"trail\u3000", {"trail"}},
      // Lead bytes of White_Space that begin other characters.
      {"\u00a9 x\u00a9y \u2014", {"\u00a9", "x\u00a9y", "\u2014"}},
      {"\"\u201cla\u201d\" 2", {"\"\u201cla\u201d\"", "2"}},
      {"caf\u00e9 na\u00efve", {"caf\u00e9", "na\u00efve"}},
      {"\u3001\u3001 x", {"\u3001\u3001", "x"}},
      // Control characters other than the ASCII White_Space are token bytes.
      {"\037a b\177", {"\037a", "b\177"}},
  };
  expect_rows(rows, all_tokens);
}

auto read_x(std::string_view token) { return parse_float(token, 1, "x"); }

TEST(ParseFloat, AcceptsTheNumberSyntax) {
  const float inf = std::numeric_limits<float>::infinity();
  const std::vector<test_support::Row<std::string_view, float>> rows = {
      {"5.", 5.0f},
      {".5", 0.5f},
      {"1e3", 1000.0f},
      {"-0.25", -0.25f},
      {"+7", 7.0f},
      {"1E+2", 100.0f},
      {"2e-1", 0.2f},
      {"1e40", inf},
      {"-1e40", -inf},
      {"inf", inf},
      {"-Infinity", -inf},
      {"+INF", inf},
      {"1e-50", 0.0f},
      {"1.00000001", 1.0f},
      {"16777217", 16777216.0f},
      {"16777219", 16777220.0f},
      {"0.1", 0.1f},
      {"-12.25", -12.25f},
      {"123456789012345", 123456789012345.0f},
      {"0.000000000001", 1e-12f},
      {"3.14159265358979", 3.14159265358979f},
      {"0000000000000000.5", 0.5f},
      {"1e999999999999999999999", inf},
      // Digits and point read in one pass.
      {"+.5", 0.5f},
      {"-5.", -5.0f},
      {"00.50", 0.5f},
      {"123456789012345.", 123456789012345.0f},
      {".123456789012", 0.123456789012f},
      {"0.1234567890123", 0.1234567890123f},
      {"1234567890123456", 1234567890123456.0f},
      {"9007199254740993", 9007199254740992.0f},
  };
  expect_rows(rows, read_x);
}

// == cannot tell -0 from 0 nor match NaN, so these rows dump the value: NaN
// as "nan", every other value in its shortest exact form.
std::string shortest(float value) {
  if (std::isnan(value)) return "nan";
  char number[32];
  const auto end = std::to_chars(number, number + sizeof number, value).ptr;
  return std::string(number, end);
}

TEST(ParseFloat, KeepsTheSignOfZeroNanAndSubnormals) {
  const std::vector<test_support::Row<std::string_view, std::string>> rows = {
      {"-0", "-0"},
      {"nan", "nan"},
      {"-NaN", "nan"},
      // Subnormal, not an error.
      {"1e-40", "1e-40"},
  };
  expect_rows(rows, [](std::string_view token) {
    return test_support::transform(read_x(token), shortest);
  });
}

// Plain decimals of up to 17 digits with the point anywhere: each must read
// as the float that the general decimal reader rounds it to, bit for bit.
TEST(ParseFloat, PlainDecimalsRoundLikeTheGeneralReader) {
  std::uint64_t state = 12345;
  auto next = [&] { return state = state * 6364136223846793005u + 1442695040888963407u; };
  for (int i = 0; i < 200'000; ++i) {
    const std::size_t length = 1 + next() % 17;
    const std::string digits = std::to_string(next() >> 4).substr(0, length);
    const std::size_t point = next() % (digits.size() + 1);
    const std::string token =
        point < digits.size() ? digits.substr(0, point) + "." + digits.substr(point) : digits;
    float expected = 0.0f;
    std::from_chars(token.data(), token.data() + token.size(), expected);
    auto value = read_float(token);
    ASSERT_TRUE(value.has_value()) << token;
    ASSERT_EQ(std::bit_cast<std::uint32_t>(*value), std::bit_cast<std::uint32_t>(expected))
        << token;
  }
}

TEST(ParseFloat, RejectsEverythingElse) {
  const std::vector<test_support::Row<std::string_view, float>> rows = {
      {"", Fails{"invalid number for wave x: ''"}},
      {".", Fails{"invalid number for wave x: '.'"}},
      {"e5", Fails{"invalid number for wave x: 'e5'"}},
      {"1,5", Fails{"invalid number for wave x: '1,5'"}},
      {"0x10", Fails{"invalid number for wave x: '0x10'"}},
      {"1e", Fails{"invalid number for wave x: '1e'"}},
      {"1e+", Fails{"invalid number for wave x: '1e+'"}},
      {"nan(1)", Fails{"invalid number for wave x: 'nan(1)'"}},
      {" 1", Fails{"invalid number for wave x: ' 1'"}},
      {"1 ", Fails{"invalid number for wave x: '1 '"}},
      {"1_000", Fails{"invalid number for wave x: '1_000'"}},
      {"++1", Fails{"invalid number for wave x: '++1'"}},
      {"+-1", Fails{"invalid number for wave x: '+-1'"}},
      {"infinit", Fails{"invalid number for wave x: 'infinit'"}},
      {"1.2.3", Fails{"invalid number for wave x: '1.2.3'"}},
      {"--1", Fails{"invalid number for wave x: '--1'"}},
      {"١", Fails{"invalid number for wave x: '١'"}},
      {"-", Fails{"invalid number for wave x: '-'"}},
      {"+", Fails{"invalid number for wave x: '+'"}},
      {"-.", Fails{"invalid number for wave x: '-.'"}},
      {"+.", Fails{"invalid number for wave x: '+.'"}},
      {"..5", Fails{"invalid number for wave x: '..5'"}},
      {"5..", Fails{"invalid number for wave x: '5..'"}},
      {"1.-2", Fails{"invalid number for wave x: '1.-2'"}},
      {"1-", Fails{"invalid number for wave x: '1-'"}},
      {"12a", Fails{"invalid number for wave x: '12a'"}},
      {"a12", Fails{"invalid number for wave x: 'a12'"}},
      {"1.5e", Fails{"invalid number for wave x: '1.5e'"}},
  };
  expect_rows(
      rows, [](std::string_view token) { return parse_float(token, 4, "wave x"); },
      message_on_line(4));
}

TEST(ParseNextFloat, NeedsAToken) {
  // The number read, then the tokens left.
  const std::vector<test_support::Row<std::string_view, std::pair<float, std::string>>> rows = {
      {"   ", Fails{"volume needs a value"}},
      {"0.5 x", {0.5f, "x"}},
      // What the row above leaves.
      {" x", Fails{"invalid number for volume: 'x'"}},
  };
  expect_rows(
      rows,
      [](std::string_view text) {
        Tokens tokens(text);
        return test_support::transform(parse_next_float(tokens, 2, "volume"), [&](float value) {
          return std::pair{value, std::string(tokens.rest())};
        });
      },
      message_on_line(2));
}

TEST(ParseBool, ExactWords) {
  const std::vector<test_support::Row<std::string_view, bool>> rows = {
      {"1", true},
      {"true", true},
      {"yes", true},
      {"on", true},
      {"", false},
      {"0", false},
      {"false", false},
      {"no", false},
      {"off", false},
      {"TRUE", Fails{"invalid bool for mute: 'TRUE'"}},
      {"On", Fails{"invalid bool for mute: 'On'"}},
      {"2", Fails{"invalid bool for mute: '2'"}},
      {"y", Fails{"invalid bool for mute: 'y'"}},
  };
  expect_rows(
      rows, [](std::string_view token) { return parse_bool(token, 3, "mute"); },
      message_on_line(3));
}

TEST(ParsePositive, FitsThirtyTwoBitsAndIsNotZero) {
  const std::vector<test_support::Row<std::string_view, std::uint32_t>> rows = {
      {"+7", 7u},
      {"4294967295", 4294967295u},
      {"0", Fails{"invalid positive integer for beat_unit: '0'"}},
      {"-1", Fails{"invalid positive integer for beat_unit: '-1'"}},
      {"4294967296", Fails{"invalid positive integer for beat_unit: '4294967296'"}},
      {"", Fails{"invalid positive integer for beat_unit: ''"}},
      {"+", Fails{"invalid positive integer for beat_unit: '+'"}},
      {"1.0", Fails{"invalid positive integer for beat_unit: '1.0'"}},
      {"99999999999999999999",
       Fails{"invalid positive integer for beat_unit: '99999999999999999999'"}},
  };
  expect_rows(
      rows, [](std::string_view token) { return parse_positive(token, 1, "beat_unit"); },
      message_on_line(1));
}

TEST(ParseRatio, FractionsAndPlainNumbers) {
  const std::vector<test_support::Row<std::string_view, float>> rows = {
      {"3/2", 1.5f},
      {"1.25", 1.25f},
      {"-3/4", -0.75f},
      {"3/0", Fails{"ratio has zero denominator"}},
      {"3/-0", Fails{"ratio has zero denominator"}},
      {"/2", Fails{"invalid number for ratio numerator: ''"}},
      {"3/", Fails{"invalid number for ratio denominator: ''"}},
      {"1/2/3", Fails{"invalid number for ratio denominator: '2/3'"}},
      {"x", Fails{"invalid number for ratio: 'x'"}},
  };
  expect_rows(
      rows, [](std::string_view token) { return parse_ratio(token, 9); }, message_on_line(9));
  EXPECT_TRUE(std::isnan(*parse_ratio("1/nan", 1)));
}

TEST(ReadQuoted, JoinsTokensUpToTheClosingQuote) {
  // The line starts with the opening quote.
  const std::vector<test_support::Row<std::string_view, std::string>> rows = {
      {"\"la\"", "la"},
      {"\"la   la  la\" rest", "la la la"},
      {"\"\"", ""},
      {"\" x\"", " x"},
      {"\"'la\"", "'la"},
      {"\"a\"b c\"", "a\"b c"},
      {"\"la", Fails{"unterminated note text (missing '\"')"}},
      {"\"", Fails{"unterminated note text (missing '\"')"}},
  };
  expect_rows(
      rows,
      [](std::string_view line) {
        Tokens tokens(line);
        const std::string_view first = *tokens.next();
        return read_quoted(first.substr(1), tokens, 6);
      },
      message_on_line(6));
}

TEST(ParseIndex, UnsignedSixtyFourBits) {
  const std::vector<test_support::Row<std::string_view, std::uint64_t>> rows = {
      {"0", 0u},
      {"+18446744073709551615", 18446744073709551615u},
      {"-1", Fails{"invalid index for trim from: '-1'"}},
      {"+", Fails{"invalid index for trim from: '+'"}},
      {"-", Fails{"invalid index for trim from: '-'"}},
      {"18446744073709551616", Fails{"invalid index for trim from: '18446744073709551616'"}},
      {"1e3", Fails{"invalid index for trim from: '1e3'"}},
      {"", Fails{"invalid index for trim from: ''"}},
  };
  expect_rows(
      rows, [](std::string_view token) { return parse_index(token, 2, "trim from"); },
      message_on_line(2));
}

TEST(SplitDirectives, StartsAtAnAtSignBeforeALetter) {
  const std::vector<test_support::Row<std::string_view, Views>> rows = {
      {"@volume 0.5 @pan -0.2", {"volume 0.5", "pan -0.2"}},
      {"a @b @ c @@d", {"b @ c @", "d"}},
      {"sine@2 x", Views{}},
      {"@ 5", Views{}},
      {"@", Views{}},
      {"@mute@solo 1", {"mute", "solo 1"}},
  };
  expect_rows(rows, split_directives);
}

TEST(ParseErrorText, EveryVariant) {
  const std::vector<test_support::Row<ParseError, std::string>> rows = {
      {"line", ParseError::line(3, "bad"), "line 3: bad"},
      {"document", ParseError(ParseError::Document{"whole"}), "whole"},
      {"import read", ParseError(ParseError::ImportRead{"a.track", "No such file or directory"}),
       "import 'a.track': read error: No such file or directory"},
      {"import download", ParseError(ParseError::ImportDownload{"https://x", "off"}),
       "import download 'https://x': off"},
  };
  expect_rows(rows, [](const ParseError& error) { return error.text(); });
  EXPECT_EQ(ParseError::line(3, "bad").debug(), "Line { line: 3, message: \"bad\" }");
}

}  // namespace
}  // namespace lyre
