// The built-in waveforms, usable as sounds without a `# Sounds` entry.
#pragma once

#include <optional>
#include <string_view>

#include "lyre/song/sound/sound.h"

namespace lyre {

// A one-harmonic sound for sine, triangle, saw, soft_square, hard_square
// and hill; none for any other name.
std::optional<Sound> default_instrument(std::string_view name);

}  // namespace lyre
