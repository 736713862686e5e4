// The easing of a segment, stage or vertex: where its motion is slowed.
#pragma once

namespace lyre {

struct Curve {
  bool ease_in = true;
  bool ease_out = true;

  static constexpr Curve linear() { return {false, false}; }
  static constexpr Curve ease() { return {true, true}; }
  bool operator==(const Curve&) const = default;
};

}  // namespace lyre
