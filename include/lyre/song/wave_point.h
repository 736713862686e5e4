// One vertex of a drawn wave or one point of a note's pitch or volume curve.
#pragma once

#include "lyre/song/curve.h"

namespace lyre {

struct WavePoint {
  float x = 0.0f;  // position: phase within a cycle, or fraction of a note's length
  float y = 0.0f;  // value at that position
  Curve curve{};   // shape of the stretch from this point to the next
  bool operator==(const WavePoint&) const = default;
};

}  // namespace lyre
