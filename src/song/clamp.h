// Range rules shared by effect parameters and reverb settings.
#pragma once

namespace lyre {

// Clamped to 0..1; NaN stays NaN.
inline float clamp_unit(float value) {
  if (value < 0.0f) return 0.0f;
  if (value > 1.0f) return 1.0f;
  return value;
}

// The value when it is above `bound`, else `bound` (NaN gives `bound`).
inline float at_least(float value, float bound) { return value > bound ? value : bound; }

}  // namespace lyre
