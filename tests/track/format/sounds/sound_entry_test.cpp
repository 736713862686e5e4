#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "lyre/docformat/parse_error.h"
#include "lyre/song/sound/sound.h"
#include "lyre/track/format/parse_error.h"
#include "table_runner_test_support.h"
#include "track/line_error_test_support.h"

namespace lyre {
namespace {

using test_support::Fails;
using Row = test_support::Row<std::vector<std::string_view>, Sound>;

template <class F>
Sound sound_with(F change) {
  Sound sound;
  change(sound);
  return sound;
}

// A line reader's error names the body line that failed, as the file line
// does before the entry is placed.
std::string line_error(const docformat::ParseError& error) {
  if (const auto* line = std::get_if<docformat::ParseError::Line>(&error.kind())) {
    EXPECT_EQ(line->cause.body_line, line->line);
  }
  return test_support::file_line_error(error);
}

TEST(SoundParse, BuildsTheSound) {
  const std::vector<Row> rows = {
      {"empty", {}, Sound{}},
      {"blank lines only", {"", "  \t", "\u00a0"}, Sound{}},
      {"koto",
       {"triangle 0.7", "sine 0.4", "sine@2 0.25", "sine@4 0.08", "@attack 0.002",
        "@decay 1.1 ease-out", "@volume 0.42"},
       sound_with([](Sound& s) {
         s.harmonics = {{"triangle", 1, 0.7f, 0},
                        {"sine", 1, 0.4f, 0},
                        {"sine", 2, 0.25f, 0},
                        {"sine", 4, 0.08f, 0}};
         s.attack = {0.002f, Curve::ease()};
         s.decay = {1.1f, Curve{false, true}};
         s.volume = 0.42f;
       })},
      {"taiko",
       {"sine@0.2 1", "@attack 0.001", "@decay 0.3 ease-out", "@noise 0.1", "@slide 10 0.09",
        "@volume 0.85"},
       sound_with([](Sound& s) {
         s.harmonics = {{"sine", 0.2f, 1, 0}};
         s.attack = {0.001f, Curve::ease()};
         s.decay = {0.3f, Curve{false, true}};
         s.noise = 0.1f;
         s.slide_amount = 10;
         s.slide_time = 0.09f;
         s.volume = 0.85f;
       })},
      {"lines are trimmed; the directive ends at any white space",
       {"  sine\u00a01  ", "@volume\t0.5", "@sustain\u00a00.25", "  @decay 0.2  "},
       sound_with([](Sound& s) {
         s.harmonics = {{"sine", 1, 1, 0}};
         s.volume = 0.5f;
         s.sustain = 0.25f;
         s.decay = {0.2f, Curve::ease()};
       })},
      {"the last scalar wins", {"@volume 0.5", "@volume 0.7"}, sound_with([](Sound& s) {
         s.volume = 0.7f;
       })},
      {"samples and harmonics append in line order",
       {"@sample \"a.wav\" @0..10", "saw 1", "@sample \"b.wav\"", "wave pad 0.5"},
       sound_with([](Sound& s) {
         s.details.edit().sample_zones = {{"a.wav", 0, 10}, {"b.wav"}};
         s.harmonics = {{"saw", 1, 1, 0}, {"pad", 1, 0.5f, 0}};
       })},
      {"voice overrides accumulate across lines",
       {"@voice choir tilt 1 ensemble 4", "@voice solo vibrato 2"},
       sound_with([](Sound& s) {
         s.details.edit().voice = "solo";
         s.details.edit().voice_overrides = {{VoiceOverride::Kind::Tilt, 1},
                                             {VoiceOverride::Kind::Vibrato, 2}};
         s.details.edit().ensemble = 4;
       })},
  };
  test_support::expect_rows(rows, [](const auto& body) { return Sound::parse(body); });
}

TEST(SoundParse, WrapsTheLineError) {
  const std::vector<Row> rows = {
      {{"", "@bogus 1"}, Fails{"line 2: line 2: unknown sound directive 'bogus'"}},
      {{"@"}, Fails{"line 1: line 1: unknown sound directive ''"}},
      {{"@ volume 1"}, Fails{"line 1: line 1: unknown sound directive ''"}},
      {{"@Volume 0.5"}, Fails{"line 1: line 1: unknown sound directive 'Volume'"}},
      {{"@volume"}, Fails{"line 1: line 1: volume needs a value"}},
      {{"sine 1", "", "triangle 0.5", "saw"}, Fails{"line 4: line 4: missing weight for 'saw'"}},
      {{"", "sine 1", "triangle@0.5 0.5", "", "", "soft_square 0.2 duty 2"},
       Fails{"line 6: line 6: duty must be within 0..1"}},
      {{"@volume 1", "sine 1", "@decay 0.3 smooth", "saw"},
       Fails{
           "line 3: line 3: unknown curve 'smooth' (expected linear, ease-in, ease-out or ease)"}},
  };
  test_support::expect_rows(
      rows, [](const auto& body) { return Sound::parse(body); }, line_error);
}

struct Renamed {
  std::vector<Harmonic> before;
  docformat::RenameMap map;
  std::vector<Harmonic> after;
};

TEST(SoundRenameReferences, RenamesHarmonicSourcesOnly) {
  const Renamed rows[] = {
      {{{"pad", 1, 1, 0}, {"sine", 1, 0.5f, 0}},
       {{"pad", "lib::pad"}},
       {{"lib::pad", 1, 1, 0}, {"sine", 1, 0.5f, 0}}},
      {{{"pad", 1, 1, 0}}, {}, {{"pad", 1, 1, 0}}},
      {{{"Pad", 2, 1, 0}}, {{"pad", "lib::pad"}}, {{"Pad", 2, 1, 0}}},
      {{}, {{"pad", "lib::pad"}}, {}},
  };
  for (const Renamed& row : rows) {
    Sound sound;
    sound.harmonics = row.before;
    sound.details.edit().vibrato.shape = "pad";
    sound.details.edit().voice = "pad";
    sound.details.edit().sample_zones = {{"pad"}};
    Sound expected = sound;
    expected.harmonics = row.after;
    sound.rename_references(row.map);
    EXPECT_EQ(sound, expected);
  }
}

}  // namespace
}  // namespace lyre
