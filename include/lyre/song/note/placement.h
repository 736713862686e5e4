// Placements of motifs and of other layers inside a layer, with the per-note
// changes written under them.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "lyre/docformat/name_place.h"
#include "lyre/song/wave_point.h"

namespace lyre {

// Keeps `count` notes of the placed material from index `from`.
struct Trim {
  std::size_t from = 0;
  std::size_t count = 0;
  bool operator==(const Trim&) const = default;
};

// A change to one note of a placement; absent fields keep the note's own.
struct NoteOverride {
  std::size_t index = 0;
  bool skip = false;
  std::optional<float> start{};
  std::optional<float> duration{};
  std::optional<float> pitch{};
  std::optional<float> volume{};
  std::optional<float> glide{};
  std::optional<std::string> text{};
  std::optional<std::vector<WavePoint>> pitch_curve{};
  bool operator==(const NoteOverride&) const = default;
};

struct MotifInstance {
  std::string motif{};
  float start = 0.0f;
  std::string sound{};  // plays the motif's notes, which name no sound
  std::optional<std::string> tuning{};
  docformat::NamePlace motif_at{}, sound_at{}, tuning_at{};
  float transpose = 0.0f;
  std::optional<Trim> trim{};
  std::vector<NoteOverride> overrides{};
  bool operator==(const MotifInstance&) const = default;
};

struct SubtrackInstance {
  std::string layer{};
  float start = 0.0f;
  std::optional<std::string> sound{};  // replaces the placed layer's own sounds
  std::optional<std::string> tuning{};
  docformat::NamePlace layer_at{}, sound_at{}, tuning_at{};
  float transpose = 0.0f;
  std::optional<Trim> trim{};
  std::vector<NoteOverride> overrides{};
  bool operator==(const SubtrackInstance&) const = default;
};

}  // namespace lyre
