#include "lyre/song/sound/default_instrument.h"

#include <gtest/gtest.h>

#include <string>

namespace lyre {
namespace {

Sound built_in(const std::string& waveform) {
  Sound sound;
  sound.harmonics = {Harmonic{waveform, 1.0f, 1.0f, 0.0f}};
  sound.attack = EnvelopeStage{0.004f, Curve::linear()};
  sound.decay = EnvelopeStage{0.04f, Curve::ease()};
  sound.volume = 0.4f;
  return sound;
}

TEST(DefaultInstrument, KnowsTheSixWaveforms) {
  for (const std::string name : {"sine", "triangle", "saw", "soft_square", "hard_square", "hill"}) {
    auto sound = default_instrument(name);
    ASSERT_TRUE(sound.has_value()) << name;
    EXPECT_EQ(*sound, built_in(name)) << name;
  }
}

TEST(DefaultInstrument, NothingElse) {
  for (const std::string name : {"Sine", "noise", "", "tri", "square", "sine ", "kick"}) {
    EXPECT_FALSE(default_instrument(name).has_value()) << name;
  }
}

}  // namespace
}  // namespace lyre
