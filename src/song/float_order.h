// The IEEE total order of floats, used to sort by time: negative NaN first,
// then negative infinity up to -0, +0 up to positive infinity, positive NaN
// last. Plain `<` is not a strict weak order once NaN appears.
#pragma once

#include <bit>
#include <cstdint>

namespace lyre {

// A signed integer that orders floats as the total order does.
constexpr std::int32_t total_order_key(float value) {
  const auto bits = std::bit_cast<std::int32_t>(value);
  // Negative floats grow in magnitude as their bits grow; flipping all but
  // the sign bit reverses them.
  const auto flip = static_cast<std::int32_t>(static_cast<std::uint32_t>(bits >> 31) >> 1);
  return bits ^ flip;
}

constexpr bool total_less(float a, float b) { return total_order_key(a) < total_order_key(b); }

}  // namespace lyre
