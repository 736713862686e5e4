#include "track/format/tokens.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

#include "docformat/text.h"
#include "docformat/whitespace.h"

namespace lyre {

namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

bool equals_ignoring_case(std::string_view text, std::string_view lower_word) {
  if (text.size() != lower_word.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != lower_word[i]) return false;
  }
  return true;
}

// The parts of a token in decimal number syntax.
struct Decimal {
  bool negative = false;
  std::string_view body;      // the token without its sign
  std::string_view mantissa;  // digits and point
  std::string_view exponent;  // signed exponent digits, empty when absent
};

std::optional<Decimal> scan_decimal(std::string_view token) {
  Decimal d;
  std::size_t i = 0;
  if (i < token.size() && (token[i] == '+' || token[i] == '-')) {
    d.negative = token[i] == '-';
    ++i;
  }
  d.body = token.substr(i);
  const std::size_t start = i;
  std::size_t digits = 0;
  while (i < token.size() && is_digit(token[i])) ++i, ++digits;
  if (i < token.size() && token[i] == '.') {
    ++i;
    while (i < token.size() && is_digit(token[i])) ++i, ++digits;
  }
  if (digits == 0) return std::nullopt;
  d.mantissa = token.substr(start, i - start);
  if (i < token.size() && (token[i] == 'e' || token[i] == 'E')) {
    const std::size_t exp_start = ++i;
    if (i < token.size() && (token[i] == '+' || token[i] == '-')) ++i;
    const std::size_t exp_digits = i;
    while (i < token.size() && is_digit(token[i])) ++i;
    if (i == exp_digits) return std::nullopt;
    d.exponent = token.substr(exp_start, i - exp_start);
  }
  if (i != token.size()) return std::nullopt;
  return d;
}

// Whether a decimal that does not fit a float is too large (rather than too
// small): the position of its leading significant digit decides.
bool overflows(const Decimal& d) {
  long long position = 0;  // power of ten of the first significant digit, plus one
  bool seen_point = false, seen_significant = false;
  for (char c : d.mantissa) {
    if (c == '.') {
      seen_point = true;
      continue;
    }
    if (!seen_significant && c != '0') seen_significant = true;
    if (!seen_point && seen_significant) ++position;
    if (seen_point && !seen_significant) --position;
  }
  long long exponent = 0;
  bool exponent_negative = false;
  for (char c : d.exponent) {
    if (c == '-') exponent_negative = true;
    if (!is_digit(c)) continue;
    if (exponent < 1'000'000'000) exponent = exponent * 10 + (c - '0');
  }
  return position + (exponent_negative ? -exponent : exponent) > 0;
}

// Every other token of the number syntax: exponents, long digit strings and
// the words inf, infinity and nan.
std::optional<float> read_general_float(std::string_view token) {
  std::string_view unsigned_part = token;
  bool negative = false;
  if (!unsigned_part.empty() && (unsigned_part[0] == '+' || unsigned_part[0] == '-')) {
    negative = unsigned_part[0] == '-';
    unsigned_part.remove_prefix(1);
  }
  if (equals_ignoring_case(unsigned_part, "inf") ||
      equals_ignoring_case(unsigned_part, "infinity")) {
    return negative ? -std::numeric_limits<float>::infinity()
                    : std::numeric_limits<float>::infinity();
  }
  if (equals_ignoring_case(unsigned_part, "nan")) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    return negative ? -nan : nan;
  }
  auto decimal = scan_decimal(token);
  if (!decimal) return std::nullopt;
  float value = 0.0f;
  const char* first = decimal->body.data();
  const char* last = first + decimal->body.size();
  auto [end, ec] = std::from_chars(first, last, value, std::chars_format::general);
  if (ec == std::errc::result_out_of_range) {
    value = overflows(*decimal) ? std::numeric_limits<float>::infinity() : 0.0f;
  } else if (ec != std::errc() || end != last) {
    return std::nullopt;
  }
  return decimal->negative ? -value : value;
}

}  // namespace

std::optional<std::string_view> Tokens::next_multibyte() {
  std::size_t begin = 0;
  while (std::size_t len = whitespace_at(rest_, begin)) begin += len;
  if (begin == rest_.size()) {
    rest_ = {};
    return std::nullopt;
  }
  std::size_t end = begin + 1;
  while (end < rest_.size() && whitespace_at(rest_, end) == 0) ++end;
  const std::string_view token(rest_.data() + begin, end - begin);
  rest_.remove_prefix(end);
  return token;
}

std::string_view Tokens::rest() const { return trim_start(rest_); }

bool is_number(std::string_view token) { return read_float(token).has_value(); }

std::optional<float> read_float(std::string_view token) {
  const float value = short_decimal_or_nan(token);
  if (!std::isnan(value)) return value;
  return read_general_float(token);
}

std::optional<std::uint64_t> read_unsigned(std::string_view token, std::uint64_t max) {
  if (!token.empty() && token[0] == '+') token.remove_prefix(1);
  if (token.empty()) return std::nullopt;
  std::uint64_t value = 0;
  for (char c : token) {
    if (!is_digit(c)) return std::nullopt;
    const auto digit = static_cast<std::uint64_t>(c - '0');
    if (value > (max - digit) / 10) return std::nullopt;
    value = value * 10 + digit;
  }
  return value;
}

ParseError invalid_number(std::string_view token, std::size_t line, std::string_view label) {
  return ParseError::line(line, cat("invalid number for ", label, ": '", token, "'"), token);
}

std::expected<float, ParseError> parse_general_float(std::string_view token, std::size_t line,
                                                     std::string_view label) {
  if (auto general = read_general_float(token)) return *general;
  return std::unexpected(invalid_number(token, line, label));
}

std::expected<float, ParseError> parse_next_float(Tokens& tokens, std::size_t line,
                                                  std::string_view label,
                                                  std::string_view missing) {
  auto token = tokens.next();
  if (!token)
    return fail(line, missing.empty() ? cat(label, " needs a value") : std::string(missing));
  return parse_float(*token, line, label);
}

std::expected<float, ParseError> parse_optional_float(Tokens& tokens, std::size_t line,
                                                      std::string_view label, float fallback) {
  auto token = tokens.next();
  if (!token) return fallback;
  return parse_float(*token, line, label);
}

std::expected<bool, ParseError> parse_bool(std::string_view token, std::size_t line,
                                           std::string_view label) {
  if (token == "1" || token == "true" || token == "yes" || token == "on") return true;
  if (token.empty() || token == "0" || token == "false" || token == "no" || token == "off") {
    return false;
  }
  return std::unexpected(
      ParseError::line(line, cat("invalid bool for ", label, ": '", token, "'"), token));
}

std::expected<std::uint32_t, ParseError> parse_positive(std::string_view token, std::size_t line,
                                                        std::string_view label) {
  auto value = read_unsigned(token, std::numeric_limits<std::uint32_t>::max());
  if (!value || *value == 0) {
    return std::unexpected(ParseError::line(
        line, cat("invalid positive integer for ", label, ": '", token, "'"), token));
  }
  return static_cast<std::uint32_t>(*value);
}

std::expected<float, ParseError> parse_ratio(std::string_view token, std::size_t line) {
  const std::size_t slash = token.find('/');
  if (slash == std::string_view::npos) return parse_float(token, line, "ratio");
  auto numerator = parse_float(token.substr(0, slash), line, "ratio numerator");
  if (!numerator) return numerator;
  auto denominator = parse_float(token.substr(slash + 1), line, "ratio denominator");
  if (!denominator) return denominator;
  if (*denominator == 0.0f)
    return std::unexpected(ParseError::line(line, "ratio has zero denominator"));
  return *numerator / *denominator;
}

std::expected<std::string, ParseError> read_quoted(std::string_view after_quote, Tokens& tokens,
                                                   std::size_t line) {
  std::string text(after_quote);
  while (text.empty() || text.back() != '"') {
    auto token = tokens.next();
    if (!token)
      return std::unexpected(ParseError::line(line, "unterminated note text (missing '\"')"));
    text += ' ';
    text += *token;
  }
  text.pop_back();
  return text;
}

std::expected<std::uint64_t, ParseError> parse_index(std::string_view token, std::size_t line,
                                                     std::string_view label) {
  if (auto value = read_unsigned(token, std::numeric_limits<std::uint64_t>::max())) return *value;
  return std::unexpected(
      ParseError::line(line, cat("invalid index for ", label, ": '", token, "'"), token));
}

std::expected<std::uint64_t, ParseError> parse_next_index(Tokens& tokens, std::size_t line,
                                                          std::string_view label,
                                                          std::string_view missing) {
  auto token = tokens.next();
  if (!token) return fail(line, std::string(missing));
  return parse_index(*token, line, label);
}

std::expected<std::uint32_t, ParseError> parse_next_count(Tokens& tokens, std::size_t line,
                                                          std::string_view what,
                                                          std::string_view missing) {
  auto token = tokens.next();
  if (!token) return fail(line, std::string(missing));
  auto count = read_unsigned(*token, std::numeric_limits<std::uint32_t>::max());
  if (!count) return fail(line, cat("invalid ", what, " count '", *token, "'"), *token);
  return static_cast<std::uint32_t>(*count);
}

std::vector<std::string_view> split_directives(std::string_view text) {
  auto is_start = [&](std::size_t i) {
    if (text[i] != '@' || i + 1 >= text.size()) return false;
    const char c = text[i + 1];
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
  };
  std::vector<std::string_view> pieces;
  std::size_t start = std::string_view::npos;
  auto flush = [&](std::size_t end) {
    if (start == std::string_view::npos) return;
    std::string_view piece = trim(text.substr(start, end - start));
    if (!piece.empty()) pieces.push_back(piece);
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (!is_start(i)) continue;
    flush(i);
    start = i + 1;
  }
  flush(text.size());
  return pieces;
}

}  // namespace lyre
