// Song settings that one directive writes as a whole: a tempo that follows
// a parameter, and the time signature.
#pragma once

#include <cstdint>
#include <string>

namespace lyre {

// `@tempo param <name> [scale]`: the tempo follows a parameter.
struct TempoParam {
  std::string name{};
  float scale = 1.0f;
  bool operator==(const TempoParam&) const = default;
};

struct Signature {
  std::uint32_t beats_per_bar = 4;
  std::uint32_t beat_unit = 4;
  bool operator==(const Signature&) const = default;
};

}  // namespace lyre
