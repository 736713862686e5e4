// A note of a layer or motif with its pitch trajectory.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "lyre/docformat/name_place.h"
#include "lyre/song/arpeggio.h"
#include "lyre/song/boxed.h"
#include "lyre/song/curve.h"
#include "lyre/song/wave_point.h"

namespace lyre {

// One step of a pitch trajectory.
struct PitchSegment {
  float delta = 0.0f;     // pitch change across the segment, relative to its start
  float duration = 0.0f;  // 0: an instantaneous step
  Curve curve{};
  bool operator==(const PitchSegment&) const = default;
};

// What most note lines leave at its default: a pitch curve of more than
// one segment, a volume curve, a text and an arpeggio.
struct NoteDetails {
  std::vector<PitchSegment> pitch_segments{};  // the trajectory but its last segment
  std::vector<WavePoint> volume_curve{};       // empty: flat
  std::string text{};
  bool text_marked = false;  // the written text began with an apostrophe
  Arpeggio arpeggio{};       // no offsets: no arpeggio
  bool operator==(const NoteDetails&) const = default;
};

// The note's duration is the summed duration of its trajectory, which is
// `pitch_segments` followed by `last_segment`; keeping the last segment apart
// makes the trajectory non-empty by construction. The details are boxed and
// the sound is an index into its layer's `sounds`: a plain note, the common
// case, is 48 bytes, and a big layer file holds millions.
struct Note {
  std::uint32_t sound = 0;  // `Layer::sounds[sound]`; a motif's notes have none
  docformat::NamePlace sound_at{};
  float start = 0.0f;
  float pitch = 0.0f;
  PitchSegment last_segment{};
  float volume = 1.0f;
  std::uint32_t repeat = 0;
  Boxed<NoteDetails> details{};
  bool operator==(const Note&) const = default;
};

}  // namespace lyre
