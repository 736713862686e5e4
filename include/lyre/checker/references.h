// Whether everything the songs refer to exists: their layers, and every
// sound that the notes and placements of those layers (and of the layers
// they place) name.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "lyre/track/multisong/track_sections.h"

namespace lyre {

struct LayerCheck {
  std::size_t note_count = 0;
  std::vector<std::string> unresolved;  // "song:layer", in the order found
};

LayerCheck check_layers(const TrackDocument& document);

// "layer:sound" records of every unknown sound reference, sorted, each once.
std::vector<std::string> unknown_sounds(const TrackDocument& document);

}  // namespace lyre
