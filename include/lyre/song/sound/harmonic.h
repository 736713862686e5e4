// One harmonic line of a sound: a waveform (or `# Waves` entry) at a
// frequency multiple of the played pitch.
#pragma once

#include <string>

#include "lyre/docformat/name_place.h"

namespace lyre {

struct Harmonic {
  std::string source;  // waveform or wave name
  float multiplier = 1.0f;
  float weight = 1.0f;  // any number, stored as read
  float duty = 0.0f;    // pulse width in 0..1; 0 when not given
  docformat::NamePlace source_at{};
  bool operator==(const Harmonic&) const = default;
};

}  // namespace lyre
