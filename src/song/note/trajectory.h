// Pitch curves turned into a note's pitch trajectory.
#pragma once

#include <span>
#include <vector>

#include "lyre/song/note/note.h"
#include "lyre/song/wave_point.h"

namespace lyre {

struct Trajectory {
  std::vector<PitchSegment> segments{};  // every segment but the last, in time order
  PitchSegment last{};
  bool operator==(const Trajectory&) const = default;
};

// The trajectory of `points` (x as a fraction of `duration`) over `duration`:
// a step to the first value, a hold until the first point, one segment per
// following point, and a closing hold when the points end early. Never empty;
// NaN and infinite values are carried through as they are.
Trajectory trajectory_from_curve(std::span<const WavePoint> points, float duration);

// The summed duration of the note's trajectory, as 32-bit floats.
float note_duration(const Note& note);

// Replaces the note's trajectory by the one of `points` over its current
// duration.
void set_pitch_curve(Note& note, std::span<const WavePoint> points);

}  // namespace lyre
