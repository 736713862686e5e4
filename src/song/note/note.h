// A note of a layer or motif with its pitch trajectory.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "song/arpeggio.h"
#include "song/curve.h"
#include "song/wave_point.h"

namespace lyre {

// One step of a pitch trajectory.
struct PitchSegment {
  float delta = 0.0f;     // pitch change across the segment, relative to its start
  float duration = 0.0f;  // 0: an instantaneous step
  Curve curve{};
  bool operator==(const PitchSegment&) const = default;
};

// The note's duration is the summed duration of its trajectory, which is
// `pitch_segments` followed by `last_segment`; keeping the last segment apart
// makes the trajectory non-empty by construction.
struct Note {
  std::string sound{};  // a sound entry or built-in instrument name
  float start = 0.0f;
  float pitch = 0.0f;
  std::vector<PitchSegment> pitch_segments{};
  PitchSegment last_segment{};
  std::vector<WavePoint> volume_curve{};  // empty: flat
  float volume = 1.0f;
  std::string text{};
  bool text_marked = false;  // the written text began with an apostrophe
  Arpeggio arpeggio{};       // no offsets: no arpeggio
  std::uint32_t repeat = 0;
  bool operator==(const Note&) const = default;
};

}  // namespace lyre
