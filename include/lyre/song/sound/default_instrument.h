// The built-in waveforms, usable as sounds without a `# Sounds` entry.
#pragma once

#include <optional>
#include <string_view>

#include "lyre/song/sound/sound.h"

namespace lyre {

// Whether `name` is one of the six built-in waveforms.
bool is_waveform(std::string_view name);

// A one-harmonic sound for sine, triangle, saw, soft_square, hard_square
// and hill; none for any other name.
std::optional<Sound> default_instrument(std::string_view name);

}  // namespace lyre
