#include "track/format/clips/audio_filename.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "table_runner_test_support.h"

namespace lyre {
namespace {

TEST(IsAudioFilename, LooksAtTheLastExtensionIgnoringAsciiCase) {
  const std::vector<test_support::Row<std::string_view, bool>> rows = {
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
  test_support::expect_rows(rows, is_audio_filename);
}

}  // namespace
}  // namespace lyre
