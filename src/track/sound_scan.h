// The walk behind the sound check: every layer the songs reach, through
// their subtrack placements, and each place where one names a sound that no
// entry and no built-in instrument defines.
#pragma once

#include <functional>
#include <string_view>
#include <vector>

#include "lyre/docformat/name_place.h"
#include "lyre/track/multisong/track_sections.h"

namespace lyre {

// Told the layer entry, the sound and where the layer names it.
using UnknownSoundSink = std::function<void(const docformat::Named<Layer>& layer,
                                            std::string_view sound, docformat::NamePlace at)>;

// Runs the walk; the result tells, by position in the layer list, which
// layers a song reaches.
std::vector<bool> scan_song_sounds(const TrackDocument& document, const UnknownSoundSink& unknown);

}  // namespace lyre
