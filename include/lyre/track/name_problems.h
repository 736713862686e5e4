// The names a document refers to, each checked where it is written: the
// layers and sounds the songs need (what the verdict fails a file for), and
// the names the verdict never looks up, as warnings.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lyre/docformat/name_place.h"
#include "lyre/track.h"

namespace lyre {

struct NameProblem {
  std::string_view rule;  // "unknown-layer", "unknown-sound", ..., "duplicate-entry"
  bool error = false;     // the verdict fails the file for it
  std::string message;
  std::optional<std::string> origin;  // the imported file the name stands in; none: the document
  docformat::NamePlace place;
};

// Errors: "unknown-layer" at each song layer that does not resolve, and
// "unknown-sound" at each place where a layer a song reaches names a sound
// that nothing defines, imported entries included. Warnings, over the
// document's own entries: placements' layers, motifs and tunings, harmonic
// sources, named reverb presets, jump markers and transitions, the sounds of
// layers no song reaches, and entries whose name an earlier one of the same
// section has. In no particular order.
std::vector<NameProblem> name_problems(const TrackDocument& document);

}  // namespace lyre
