// A low-frequency modulation: vibrato or tremolo.
#pragma once

#include <string>

namespace lyre {

struct Lfo {
  std::string shape;  // waveform name; empty when not given
  float rate = 0.0f;
  float depth = 0.0f;
  bool operator==(const Lfo&) const = default;
};

}  // namespace lyre
