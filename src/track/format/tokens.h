// Token readers shared by every line parser of the track format. Tokens are
// slices of the line; readers take one token (or the caller's token cursor)
// and a label that names the field in their messages.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <expected>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "docformat/whitespace.h"
#include "lyre/track/format/parse_error.h"
#include "track/format/short_decimal.h"

namespace lyre {

// Cursor over the White_Space-separated tokens of a text; never yields an
// empty token.
class Tokens {
 public:
  explicit Tokens(std::string_view text) : rest_(text) {}

  // Inline: every line reader takes its tokens here, and ASCII text is cut
  // without a call.
  std::optional<std::string_view> next() {
    // A local copy: the member would be reloaded after every byte.
    const std::string_view text = rest_;
    std::size_t begin = 0;
    while (begin < text.size() && byte_kind(text[begin]) == ByteKind::Space) ++begin;
    std::size_t end = begin;
    while (end < text.size() && byte_kind(text[end]) == ByteKind::Other) ++end;
    if (end < text.size() && byte_kind(text[end]) == ByteKind::Lead) return next_multibyte();
    if (begin == end) {
      rest_ = {};
      return std::nullopt;
    }
    rest_ = text.substr(end);
    return text.substr(begin, end - begin);
  }
  std::optional<std::string_view> peek() const {
    Tokens copy = *this;
    return copy.next();
  }
  // The text not yet consumed, leading white space removed.
  std::string_view rest() const;
  // No token scan: only white space can stand before the next token.
  bool empty() const { return trim_start(rest_).empty(); }

 private:
  // The general cut, taken when a byte that may begin a multibyte
  // White_Space character comes before the next token ends.
  std::optional<std::string_view> next_multibyte();

  std::string_view rest_;
};

// True when the token has the number syntax of `parse_float`.
bool is_number(std::string_view token);

// The value of a token in number syntax, rounded to the nearest float.
std::optional<float> read_float(std::string_view token);

// An optional '+' then decimal digits only, at most `max`.
std::optional<std::uint64_t> read_unsigned(std::string_view token, std::uint64_t max);

// Every other token of the number syntax, or the error of `parse_float`.
std::expected<float, ParseError> parse_general_float(std::string_view token, std::size_t line,
                                                     std::string_view label);

// Inline: the caller's test of the result then folds into the short read,
// which nearly every number token takes.
inline std::expected<float, ParseError> parse_float(std::string_view token, std::size_t line,
                                                    std::string_view label) {
  const float value = short_decimal_or_nan(token);
  if (!std::isnan(value)) [[likely]]
    return value;
  return parse_general_float(token, line, label);
}
// The next token as a number labelled `label`; `missing` is the error when no
// token is left, "{label} needs a value" when not given.
std::expected<float, ParseError> parse_next_float(Tokens& tokens, std::size_t line,
                                                  std::string_view label,
                                                  std::string_view missing = {});
// An optional trailing number: `fallback` when no token is left.
std::expected<float, ParseError> parse_optional_float(Tokens& tokens, std::size_t line,
                                                      std::string_view label, float fallback);
std::expected<bool, ParseError> parse_bool(std::string_view token, std::size_t line,
                                           std::string_view label);
std::expected<std::uint32_t, ParseError> parse_positive(std::string_view token, std::size_t line,
                                                        std::string_view label);
std::expected<float, ParseError> parse_ratio(std::string_view token, std::size_t line);
// `after_quote` is the rest of the token that began with the opening quote.
std::expected<std::string, ParseError> read_quoted(std::string_view after_quote, Tokens& tokens,
                                                   std::size_t line);
std::expected<std::uint64_t, ParseError> parse_index(std::string_view token, std::size_t line,
                                                     std::string_view label);
// The next token as a count below 2^32: "invalid {what} count '{token}'" when
// it is not one, `missing` when no token is left.
std::expected<std::uint32_t, ParseError> parse_next_count(Tokens& tokens, std::size_t line,
                                                          std::string_view what,
                                                          std::string_view missing);
// The next token as an index labelled `label`; `missing` is the error when no
// token is left.
std::expected<std::uint64_t, ParseError> parse_next_index(Tokens& tokens, std::size_t line,
                                                          std::string_view label,
                                                          std::string_view missing);
std::vector<std::string_view> split_directives(std::string_view text);

// The error of body line `line`, quoting `token` (a slice of that line) where
// the message quotes one: every reader fails through this.
inline std::unexpected<ParseError> fail(std::size_t line, std::string message,
                                        std::string_view token = {}) {
  return std::unexpected(ParseError::line(line, std::move(message), token));
}

// Stores what a reader read in `slot`, or passes its error on: the last step
// of every reader that fills one field.
template <class T, class U>
std::expected<void, ParseError> store(T& slot, std::expected<U, ParseError> read) {
  if (!read) return std::unexpected(std::move(read).error());
  slot = std::move(*read);
  return {};
}

// "invalid number for {label}: '{token}'" at `line`.
ParseError invalid_number(std::string_view token, std::size_t line, std::string_view label);

}  // namespace lyre
