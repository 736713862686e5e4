// One parameter of a sung-voice preset, given on a `@voice` line.
#pragma once

namespace lyre {

struct VoiceOverride {
  enum class Kind { FormantShift, Tilt, Breathiness, Vibrato };
  Kind kind;
  float value;
  bool operator==(const VoiceOverride&) const = default;
};

}  // namespace lyre
