// The two short waveform names that harmonic lines and LFO shapes expand.
#pragma once

#include <string_view>

namespace lyre {

// tri is triangle and square is soft_square; every other name is kept.
inline std::string_view expand_waveform_alias(std::string_view name) {
  if (name == "tri") return "triangle";
  if (name == "square") return "soft_square";
  return name;
}

}  // namespace lyre
