#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "lyre/docformat/parse_error.h"
#include "lyre/song/sound/sound.h"
#include "lyre/track/format/parse_error.h"

namespace lyre {
namespace {

std::expected<Sound, docformat::ParseError> parse_body(const std::vector<std::string>& body) {
  std::vector<std::string_view> lines(body.begin(), body.end());
  return Sound::parse(lines);
}

struct Accepted {
  std::string title;
  std::vector<std::string> body;
  std::function<void(Sound&)> change;  // applied to the default sound
};

class SoundEntryAccepted : public testing::TestWithParam<Accepted> {};

TEST_P(SoundEntryAccepted, BuildsTheSound) {
  auto sound = parse_body(GetParam().body);
  ASSERT_TRUE(sound.has_value()) << sound.error().text();
  Sound expected;
  GetParam().change(expected);
  EXPECT_EQ(*sound, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Bodies, SoundEntryAccepted,
    testing::Values(
        Accepted{"empty", {}, [](Sound&) {}},
        Accepted{"blank lines only", {"", "  \t", "\u00a0"}, [](Sound&) {}},
        Accepted{"koto",
                 {"triangle 0.7", "sine 0.4", "sine@2 0.25", "sine@4 0.08", "@attack 0.002",
                  "@decay 1.1 ease-out", "@volume 0.42"},
                 [](Sound& s) {
                   s.harmonics = {{"triangle", 1, 0.7f, 0},
                                  {"sine", 1, 0.4f, 0},
                                  {"sine", 2, 0.25f, 0},
                                  {"sine", 4, 0.08f, 0}};
                   s.attack = {0.002f, Curve::ease()};
                   s.decay = {1.1f, Curve{false, true}};
                   s.volume = 0.42f;
                 }},
        Accepted{"taiko",
                 {"sine@0.2 1", "@attack 0.001", "@decay 0.3 ease-out", "@noise 0.1",
                  "@slide 10 0.09", "@volume 0.85"},
                 [](Sound& s) {
                   s.harmonics = {{"sine", 0.2f, 1, 0}};
                   s.attack = {0.001f, Curve::ease()};
                   s.decay = {0.3f, Curve{false, true}};
                   s.noise = 0.1f;
                   s.slide_amount = 10;
                   s.slide_time = 0.09f;
                   s.volume = 0.85f;
                 }},
        Accepted{"lines are trimmed; the directive ends at any white space",
                 {"  sine\u00a01  ", "@volume\t0.5", "@sustain\u00a00.25", "  @decay 0.2  "},
                 [](Sound& s) {
                   s.harmonics = {{"sine", 1, 1, 0}};
                   s.volume = 0.5f;
                   s.sustain = 0.25f;
                   s.decay = {0.2f, Curve::ease()};
                 }},
        Accepted{"the last scalar wins",
                 {"@volume 0.5", "@volume 0.7"},
                 [](Sound& s) { s.volume = 0.7f; }},
        Accepted{"samples and harmonics append in line order",
                 {"@sample \"a.wav\" @0..10", "saw 1", "@sample \"b.wav\"", "wave pad 0.5"},
                 [](Sound& s) {
                   s.sample_zones = {{"a.wav", 0, 10}, {"b.wav"}};
                   s.harmonics = {{"saw", 1, 1, 0}, {"pad", 1, 0.5f, 0}};
                 }},
        Accepted{"voice overrides accumulate across lines",
                 {"@voice choir tilt 1 ensemble 4", "@voice solo vibrato 2"},
                 [](Sound& s) {
                   s.voice = "solo";
                   s.voice_overrides = {{VoiceOverride::Kind::Tilt, 1},
                                        {VoiceOverride::Kind::Vibrato, 2}};
                   s.ensemble = 4;
                 }}),
    [](const testing::TestParamInfo<Accepted>& info) { return std::to_string(info.index); });

struct Rejected {
  std::vector<std::string> body;
  std::size_t line;  // body line of the failure
  std::string message;
};

class SoundEntryRejected : public testing::TestWithParam<Rejected> {};

TEST_P(SoundEntryRejected, WrapsTheLineError) {
  auto sound = parse_body(GetParam().body);
  ASSERT_FALSE(sound.has_value());
  const auto* line = std::get_if<docformat::ParseError::Line>(&sound.error().kind());
  ASSERT_NE(line, nullptr);
  EXPECT_EQ(line->line, GetParam().line);
  EXPECT_EQ(line->cause, (docformat::Cause{GetParam().message, GetParam().line}));
  const std::string number = std::to_string(GetParam().line);
  EXPECT_EQ(sound.error().text(),
            "line " + number + ": line " + number + ": " + GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Bodies, SoundEntryRejected,
    testing::Values(Rejected{{"", "@bogus 1"}, 2, "unknown sound directive 'bogus'"},
                    Rejected{{"@"}, 1, "unknown sound directive ''"},
                    Rejected{{"@ volume 1"}, 1, "unknown sound directive ''"},
                    Rejected{{"@Volume 0.5"}, 1, "unknown sound directive 'Volume'"},
                    Rejected{{"@volume"}, 1, "volume needs a value"},
                    Rejected{{"sine 1", "", "triangle 0.5", "saw"}, 4, "missing weight for 'saw'"},
                    Rejected{{"", "sine 1", "triangle@0.5 0.5", "", "", "soft_square 0.2 duty 2"},
                             6,
                             "duty must be within 0..1"},
                    Rejected{
                        {"@volume 1", "sine 1", "@decay 0.3 smooth", "saw"},
                        3,
                        "unknown curve 'smooth' (expected linear, ease-in, ease-out or ease)"}));

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
    sound.vibrato.shape = "pad";
    sound.voice = "pad";
    sound.sample_zones = {{"pad"}};
    Sound expected = sound;
    expected.harmonics = row.after;
    sound.rename_references(row.map);
    EXPECT_EQ(sound, expected);
  }
}

}  // namespace
}  // namespace lyre
