#include "lyre/song/sound/default_instrument.h"

#include <array>

namespace lyre {

bool is_waveform(std::string_view name) {
  static constexpr std::array<std::string_view, 6> kWaveforms = {
      "sine", "triangle", "saw", "soft_square", "hard_square", "hill"};
  bool known = false;
  for (std::string_view waveform : kWaveforms) known = known || waveform == name;
  return known;
}

std::optional<Sound> default_instrument(std::string_view name) {
  if (!is_waveform(name)) return std::nullopt;
  Sound sound;
  sound.harmonics.push_back(Harmonic{std::string(name), 1.0f, 1.0f, 0.0f});
  sound.attack = EnvelopeStage{0.004f, Curve::linear()};
  sound.decay = EnvelopeStage{0.04f, Curve::ease()};
  sound.volume = 0.4f;
  return sound;
}

}  // namespace lyre
