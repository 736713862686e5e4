// Pitch offsets stepped through at a rate; shared by notes and sounds.
#pragma once

#include <vector>

namespace lyre {

struct Arpeggio {
  std::vector<float> offsets;  // empty: no arpeggio
  float rate = 0.0f;           // steps per second
  bool operator==(const Arpeggio&) const = default;
};

}  // namespace lyre
