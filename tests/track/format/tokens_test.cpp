#include "track/format/tokens.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace lyre {
namespace {

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

struct TokensCase {
  std::string_view text;
  Views tokens;
};

// ASCII text is cut without a call; a multibyte character hands the cut to
// the general one, which must give the same tokens.
TEST(Tokens, CutAtEveryWhiteSpaceCharacterAndNothingElse) {
  const std::vector<TokensCase> cases = {
      {"", {}},
      {" \t\n", {}},
      {"piano 0 60 1", {"piano", "0", "60", "1"}},
      {"\u00a0\u3000", {}},
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
  for (const TokensCase& c : cases) {
    SCOPED_TRACE(c.text);
    Tokens tokens(c.text);
    Views got;
    while (auto token = tokens.next()) got.push_back(*token);
    EXPECT_EQ(got, c.tokens);
    EXPECT_TRUE(tokens.empty());
  }
}

struct FloatCase {
  const char* token;
  float value;  // NaN when the token reads as NaN
};

TEST(ParseFloat, AcceptsTheNumberSyntax) {
  const float inf = std::numeric_limits<float>::infinity();
  const FloatCase cases[] = {
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
  for (const FloatCase& c : cases) {
    auto value = parse_float(c.token, 1, "x");
    ASSERT_TRUE(value.has_value()) << c.token;
    EXPECT_EQ(*value, c.value) << c.token;
  }
  EXPECT_TRUE(std::signbit(*parse_float("-0", 1, "x")));
  EXPECT_TRUE(std::isnan(*parse_float("nan", 1, "x")));
  EXPECT_TRUE(std::isnan(*parse_float("-NaN", 1, "x")));
  EXPECT_GT(*parse_float("1e-40", 1, "x"), 0.0f);  // subnormal, not an error
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
  for (const char* token :
       {"",      ".",   "e5",  "1,5",     "0x10",  "1e",  "1e+", "nan(1)", " 1", "1 ",
        "1_000", "++1", "+-1", "infinit", "1.2.3", "--1", "١",   "-",      "+",  "-.",
        "+.",    "..5", "5..", "1.-2",    "1-",    "12a", "a12", "1.5e"}) {
    auto value = parse_float(token, 4, "wave x");
    ASSERT_FALSE(value.has_value()) << token;
    EXPECT_EQ(value.error().text(),
              std::string("line 4: invalid number for wave x: '") + token + "'");
  }
}

TEST(ParseNextFloat, NeedsAToken) {
  Tokens none("   ");
  EXPECT_EQ(parse_next_float(none, 2, "volume").error().text(), "line 2: volume needs a value");
  Tokens some("0.5 x");
  EXPECT_EQ(*parse_next_float(some, 2, "volume"), 0.5f);
  EXPECT_EQ(parse_next_float(some, 2, "volume").error().text(),
            "line 2: invalid number for volume: 'x'");
}

TEST(ParseBool, ExactWords) {
  for (const char* token : {"1", "true", "yes", "on"}) EXPECT_TRUE(*parse_bool(token, 1, "m"));
  for (const char* token : {"", "0", "false", "no", "off"})
    EXPECT_FALSE(*parse_bool(token, 1, "m"));
  for (const char* token : {"TRUE", "On", "2", "y"}) {
    EXPECT_EQ(parse_bool(token, 3, "mute").error().text(),
              std::string("line 3: invalid bool for mute: '") + token + "'");
  }
}

TEST(ParsePositive, FitsThirtyTwoBitsAndIsNotZero) {
  EXPECT_EQ(*parse_positive("+7", 1, "n"), 7u);
  EXPECT_EQ(*parse_positive("4294967295", 1, "n"), 4294967295u);
  for (const char* token : {"0", "-1", "4294967296", "", "+", "1.0", "99999999999999999999"}) {
    EXPECT_EQ(parse_positive(token, 1, "beat_unit").error().text(),
              std::string("line 1: invalid positive integer for beat_unit: '") + token + "'");
  }
}

struct RatioCase {
  const char* token;
  const char* message;  // empty when the token reads
  float value;
};

TEST(ParseRatio, FractionsAndPlainNumbers) {
  const RatioCase cases[] = {
      {"3/2", "", 1.5f},
      {"1.25", "", 1.25f},
      {"-3/4", "", -0.75f},
      {"3/0", "ratio has zero denominator", 0},
      {"3/-0", "ratio has zero denominator", 0},
      {"/2", "invalid number for ratio numerator: ''", 0},
      {"3/", "invalid number for ratio denominator: ''", 0},
      {"1/2/3", "invalid number for ratio denominator: '2/3'", 0},
      {"x", "invalid number for ratio: 'x'", 0},
  };
  for (const RatioCase& c : cases) {
    auto value = parse_ratio(c.token, 9);
    if (*c.message == '\0') {
      ASSERT_TRUE(value.has_value()) << c.token;
      EXPECT_EQ(*value, c.value) << c.token;
    } else {
      ASSERT_FALSE(value.has_value()) << c.token;
      EXPECT_EQ(value.error().text(), std::string("line 9: ") + c.message) << c.token;
    }
  }
  EXPECT_TRUE(std::isnan(*parse_ratio("1/nan", 1)));
}

struct QuotedCase {
  const char* line;  // starts with the opening quote
  const char* text;  // null when unterminated
};

TEST(ReadQuoted, JoinsTokensUpToTheClosingQuote) {
  const QuotedCase cases[] = {
      {"\"la\"", "la"},   {"\"la   la  la\" rest", "la la la"},
      {"\"\"", ""},       {"\" x\"", " x"},
      {"\"'la\"", "'la"}, {"\"a\"b c\"", "a\"b c"},
      {"\"la", nullptr},  {"\"", nullptr},
  };
  for (const QuotedCase& c : cases) {
    Tokens tokens(c.line);
    std::string_view first = *tokens.next();
    auto text = read_quoted(first.substr(1), tokens, 6);
    if (c.text) {
      ASSERT_TRUE(text.has_value()) << c.line;
      EXPECT_EQ(*text, c.text);
    } else {
      ASSERT_FALSE(text.has_value()) << c.line;
      EXPECT_EQ(text.error().text(), "line 6: unterminated note text (missing '\"')");
    }
  }
}

TEST(ParseIndex, UnsignedSixtyFourBits) {
  EXPECT_EQ(*parse_index("0", 1, "i"), 0u);
  EXPECT_EQ(*parse_index("+18446744073709551615", 1, "i"), 18446744073709551615u);
  for (const char* token : {"-1", "+", "-", "18446744073709551616", "1e3", ""}) {
    EXPECT_EQ(parse_index(token, 2, "trim from").error().text(),
              std::string("line 2: invalid index for trim from: '") + token + "'");
  }
}

TEST(SplitDirectives, StartsAtAnAtSignBeforeALetter) {
  EXPECT_EQ(split_directives("@volume 0.5 @pan -0.2"), (Views{"volume 0.5", "pan -0.2"}));
  EXPECT_EQ(split_directives("a @b @ c @@d"), (Views{"b @ c @", "d"}));
  EXPECT_EQ(split_directives("sine@2 x"), (Views{}));
  EXPECT_EQ(split_directives("@ 5"), (Views{}));
  EXPECT_EQ(split_directives("@"), (Views{}));
  EXPECT_EQ(split_directives("@mute@solo 1"), (Views{"mute", "solo 1"}));
}

TEST(ParseErrorText, EveryVariant) {
  EXPECT_EQ(ParseError::line(3, "bad").text(), "line 3: bad");
  EXPECT_EQ(ParseError(ParseError::Document{"whole"}).text(), "whole");
  EXPECT_EQ(ParseError(ParseError::ImportRead{"a.track", "No such file or directory"}).text(),
            "import 'a.track': read error: No such file or directory");
  EXPECT_EQ(ParseError(ParseError::ImportDownload{"https://x", "off"}).text(),
            "import download 'https://x': off");
  EXPECT_EQ(ParseError::line(3, "bad").debug(), "Line { line: 3, message: \"bad\" }");
}

}  // namespace
}  // namespace lyre
