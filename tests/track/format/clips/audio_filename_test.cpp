#include "track/format/clips/audio_filename.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

namespace lyre {
namespace {

struct Case {
  std::string_view name;
  bool audio;
};

TEST(IsAudioFilename, LooksAtTheLastExtensionIgnoringAsciiCase) {
  const std::vector<Case> cases = {
      {"kick.wav", true},
      {"LOOP.OGG", true},
      {"a.Flac", true},
      {"x.y.Flac", true},
      {"song.mp3", true},
      {".wav", true},
      {"drums/kick.wav", true},
      {".flac", true},
      {"a_long_sample_name.flac", true},
      {"a_long_sample_name.flacs", false},
      {"a.wav_long_ending", false},
      {"kick", false},
      {"kick.wave", false},
      {"kick.wav.bak", false},
      {"wav", false},
      {"kick.", false},
      {"kick.wa", false},
      {"", false},
      // Only ASCII letters fold: a dotless capital I is not an i.
      {"kick.fla\u0130", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(is_audio_filename(c.name), c.audio);
  }
}

}  // namespace
}  // namespace lyre
