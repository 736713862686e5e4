// The reader of the plain decimals that nearly every number token is,
// inline so that line readers convert their numbers without a call.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <limits>
#include <string_view>

namespace lyre {

// A plain decimal of at most 15 digits, at most 12 of them after the point:
// the digits and the power of ten are exact doubles, so their quotient is
// the correctly rounded double. Rounding that to float is then exact too: a
// double that lands on the midpoint of two floats can, with this few digits,
// only come from a decimal that is that midpoint. NaN for any other token,
// which no decimal reads as; a float rather than an optional, because this
// is the hottest reader and an optional's flag costs a stall on return.
inline float short_decimal_or_nan(std::string_view token) {
  static constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2, 1e3,  1e4,  1e5, 1e6,
                                            1e7, 1e8, 1e9, 1e10, 1e11, 1e12};
  constexpr float kNone = std::numeric_limits<float>::quiet_NaN();
  const char* p = token.data();
  const char* const end = p + token.size();
  const bool negative = p != end && *p == '-';
  if (p != end && (*p == '+' || *p == '-')) ++p;
  const char* const first = p;
  const char* point = nullptr;
  // One pass over digits and point; too many digits wrap `digits` around,
  // but are refused below.
  std::uint64_t digits = 0;
  for (; p != end; ++p) {
    const auto digit = static_cast<unsigned char>(*p - '0');
    if (digit < 10) {
      digits = digits * 10 + digit;
    } else if (*p == '.' && point == nullptr) {
      point = p;
    } else {
      return kNone;
    }
  }
  const auto after_point = point == nullptr ? 0 : static_cast<std::size_t>(end - point - 1);
  const auto count = static_cast<std::size_t>(end - first) - (point == nullptr ? 0 : 1);
  if (count == 0 || count > 15 || after_point >= std::size(kPowersOfTen)) return kNone;
  // At most 15 digits: exact as a signed integer and as a double, and a
  // whole number needs no division.
  const auto exact = static_cast<double>(static_cast<std::int64_t>(digits));
  const double quotient = after_point == 0 ? exact : exact / kPowersOfTen[after_point];
  // Rounding to double and then to float can differ from rounding once only
  // when the double lands exactly halfway between two floats; leave those to
  // the general reader.
  constexpr std::uint64_t kBelowFloat = (std::uint64_t{1} << 29) - 1;
  if ((std::bit_cast<std::uint64_t>(quotient) & kBelowFloat) == (kBelowFloat + 1) / 2) return kNone;
  const auto value = static_cast<float>(quotient);
  return negative ? -value : value;
}

}  // namespace lyre
