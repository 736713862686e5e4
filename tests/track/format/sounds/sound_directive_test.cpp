#include "track/format/sounds/sound_directive.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>

namespace lyre {
namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();

// Settings already held before the directive, so that rows show what a
// directive replaces, keeps or appends to.
Sound base_sound() {
  Sound sound;
  sound.filter_cutoff = 100;
  sound.filter_env = 7;
  sound.filter_envelope = EnvelopeStage{9, Curve::linear()};
  sound.voice = "solo";
  sound.voice_overrides = {VoiceOverride{VoiceOverride::Kind::Tilt, 1}};
  sound.ensemble = 3;
  sound.sample_zones = {SampleZone{"first.wav", 1, 2}};
  sound.arpeggio = Arpeggio{{1, 2}, 3};
  sound.vibrato = Lfo{"saw", 1, 1};
  return sound;
}

struct Accepted {
  std::string name;
  std::string value;
  std::function<void(Sound&)> change;  // applied to the base sound
};

class SoundDirectiveAccepted : public testing::TestWithParam<Accepted> {};

TEST_P(SoundDirectiveAccepted, ChangesOnlyItsSettings) {
  Sound sound = base_sound();
  Sound expected = base_sound();
  GetParam().change(expected);
  auto applied = apply_sound_directive(sound, GetParam().name, GetParam().value, 3);
  ASSERT_TRUE(applied.has_value()) << applied.error().text();
  EXPECT_EQ(sound, expected);
}

using Kind = VoiceOverride::Kind;

INSTANTIATE_TEST_SUITE_P(
    Directives, SoundDirectiveAccepted,
    testing::Values(
        // scalars
        Accepted{"volume", "0.5", [](Sound& s) { s.volume = 0.5f; }},
        Accepted{"volume", "0.5 0.7", [](Sound& s) { s.volume = 0.5f; }},
        Accepted{"volume", "0.5 @pan 1", [](Sound& s) { s.volume = 0.5f; }},
        Accepted{"volume", "-inf", [](Sound& s) { s.volume = -kInf; }},
        Accepted{"sustain", "0.8", [](Sound& s) { s.sustain = 0.8f; }},
        Accepted{"noise", "0.1", [](Sound& s) { s.noise = 0.1f; }},
        Accepted{"distortion", "1.5", [](Sound& s) { s.distortion = 1.5f; }},
        Accepted{"detune", "3", [](Sound& s) { s.detune = 3; }},
        Accepted{"vol-jitter", "0.1", [](Sound& s) { s.vol_jitter = 0.1f; }},
        Accepted{"duty_sweep", "0.2", [](Sound& s) { s.duty_sweep = 0.2f; }},
        Accepted{"slide", "5 0.04",
                 [](Sound& s) {
                   s.slide_amount = 5;
                   s.slide_time = 0.04f;
                 }},
        // envelope stages
        Accepted{"attack", "0.01",
                 [](Sound& s) {
                   s.attack = {0.01f, Curve::ease()};
                 }},
        Accepted{"decay", "0.8 ease-out",
                 [](Sound& s) {
                   s.decay = {0.8f, Curve{false, true}};
                 }},
        Accepted{"decay", "0.3 linear junk",
                 [](Sound& s) {
                   s.decay = {0.3f, Curve::linear()};
                 }},
        Accepted{"release", "-1 ease-in",
                 [](Sound& s) {
                   s.release = {-1, Curve{true, false}};
                 }},
        // filter: only the values given are replaced
        Accepted{"filter", "800", [](Sound& s) { s.filter_cutoff = 800; }},
        Accepted{"filter", "800 0.5",
                 [](Sound& s) {
                   s.filter_cutoff = 800;
                   s.filter_env = 0.5f;
                 }},
        Accepted{"filter", "800 0.5 0.2",
                 [](Sound& s) {
                   s.filter_cutoff = 800;
                   s.filter_env = 0.5f;
                   s.filter_envelope = {0.2f, Curve::ease()};
                 }},
        Accepted{"filter", "800 0.5 0.2 ease-in extra",
                 [](Sound& s) {
                   s.filter_cutoff = 800;
                   s.filter_env = 0.5f;
                   s.filter_envelope = {0.2f, Curve{true, false}};
                 }},
        // modulations replace the whole value
        Accepted{"vibrato", "5 0.1 square",
                 [](Sound& s) {
                   s.vibrato = {"soft_square", 5, 0.1f};
                 }},
        Accepted{"vibrato", "6 0.06",
                 [](Sound& s) {
                   s.vibrato = {"", 6, 0.06f};
                 }},
        Accepted{"tremolo", "4 0.2",
                 [](Sound& s) {
                   s.tremolo = {"", 4, 0.2f};
                 }},
        Accepted{"arpeggio", "0 4 7 rate 8",
                 [](Sound& s) {
                   s.arpeggio = {{0, 4, 7}, 8};
                 }},
        Accepted{"arpeggio", "-12 rate inf junk",
                 [](Sound& s) {
                   s.arpeggio = {{-12}, kInf};
                 }},
        // steps: unsigned 32-bit
        Accepted{"steps", "+8", [](Sound& s) { s.steps = 8; }},
        Accepted{"steps", "0", [](Sound& s) { s.steps = 0; }},
        Accepted{"steps", "007", [](Sound& s) { s.steps = 7; }},
        Accepted{"steps", "8 9", [](Sound& s) { s.steps = 8; }},
        Accepted{"steps", "4294967295", [](Sound& s) { s.steps = 4294967295u; }},
        // voice: preset replaced, overrides appended, ensemble overwritten when given
        Accepted{"voice", "choir tilt 0.2 vibrato 0.1 ensemble 4",
                 [](Sound& s) {
                   s.voice = "choir";
                   s.voice_overrides.push_back({Kind::Tilt, 0.2f});
                   s.voice_overrides.push_back({Kind::Vibrato, 0.1f});
                   s.ensemble = 4;
                 }},
        Accepted{"voice", "choir", [](Sound& s) { s.voice = "choir"; }},
        Accepted{"voice", "alto formant-shift -2 breathiness 0.3 tilt 1 tilt 2",
                 [](Sound& s) {
                   s.voice = "alto";
                   s.voice_overrides.push_back({Kind::FormantShift, -2});
                   s.voice_overrides.push_back({Kind::Breathiness, 0.3f});
                   s.voice_overrides.push_back({Kind::Tilt, 1});
                   s.voice_overrides.push_back({Kind::Tilt, 2});
                 }},
        Accepted{"voice", "choir ensemble 0",
                 [](Sound& s) {
                   s.voice = "choir";
                   s.ensemble = 0;
                 }},
        Accepted{"voice", "choir ensemble +5 ensemble 18446744073709551615",
                 [](Sound& s) {
                   s.voice = "choir";
                   s.ensemble = 18446744073709551615u;
                 }},
        // samples append a zone
        Accepted{"sample", "\"kick.wav\"",
                 [](Sound& s) {
                   s.sample_zones.push_back({"kick.wav", -kInf, kInf});
                 }},
        Accepted{"sample", "\"soft kick.wav\" @36..48",
                 [](Sound& s) {
                   s.sample_zones.push_back({"soft kick.wav", 36, 48});
                 }},
        Accepted{"sample", "\"soft \t  kick.wav\" @ 36..48 extra",
                 [](Sound& s) {
                   s.sample_zones.push_back({"soft kick.wav", 36, 48});
                 }},
        Accepted{"sample", "\"x.wav\" @ 1...2",
                 [](Sound& s) {
                   s.sample_zones.push_back({"x.wav", 1, 0.2f});
                 }},
        Accepted{"sample", "\"hi.wav\" @90..-inf",
                 [](Sound& s) {
                   s.sample_zones.push_back({"hi.wav", 90, -kInf});
                 }},
        Accepted{"sample", "\"a\"b\"", [](Sound& s) { s.sample_zones.push_back({"a\"b"}); }}));

struct Rejected {
  std::string name;
  std::string value;
  std::string message;
};

class SoundDirectiveRejected : public testing::TestWithParam<Rejected> {};

TEST_P(SoundDirectiveRejected, LeavesTheSoundAlone) {
  Sound sound = base_sound();
  auto applied = apply_sound_directive(sound, GetParam().name, GetParam().value, 11);
  ASSERT_FALSE(applied.has_value());
  EXPECT_EQ(applied.error(), ParseError::line(11, GetParam().message));
  EXPECT_EQ(sound, base_sound());
}

INSTANTIATE_TEST_SUITE_P(
    Messages, SoundDirectiveRejected,
    testing::Values(
        Rejected{"bogus", "1", "unknown sound directive 'bogus'"},
        Rejected{"", "", "unknown sound directive ''"},
        Rejected{"Volume", "0.5", "unknown sound directive 'Volume'"},
        Rejected{"effect", "lowpass 1", "unknown sound directive 'effect'"},
        Rejected{"pan", "0", "unknown sound directive 'pan'"},
        // scalars
        Rejected{"volume", "", "volume needs a value"},
        Rejected{"volume", "x", "invalid number for volume: 'x'"},
        Rejected{"sustain", "full", "invalid number for sustain: 'full'"},
        Rejected{"noise", "1,5", "invalid number for noise: '1,5'"},
        Rejected{"distortion", "0x1", "invalid number for distortion: '0x1'"},
        Rejected{"detune", "", "detune needs a value"},
        Rejected{"vol-jitter", "a", "invalid number for vol-jitter: 'a'"},
        Rejected{"duty_sweep", "", "duty_sweep needs a value"},
        Rejected{"slide", "", "slide amount needs a value"},
        Rejected{"slide", "5", "slide time needs a value"},
        Rejected{"slide", "x", "invalid number for slide amount: 'x'"},
        Rejected{"slide", "5 x", "invalid number for slide time: 'x'"},
        // envelope stages
        Rejected{"attack", "", "attack needs a duration"},
        Rejected{"decay", "", "decay needs a duration"},
        Rejected{"release", "", "release needs a duration"},
        Rejected{"decay", "fast", "invalid number for duration: 'fast'"},
        Rejected{"release", "1,0", "invalid number for duration: '1,0'"},
        Rejected{"decay", "0.3 smooth",
                 "unknown curve 'smooth' (expected linear, ease-in, ease-out or ease)"},
        // filter
        Rejected{"filter", "", "filter cutoff needs a value"},
        Rejected{"filter", "x", "invalid number for filter cutoff: 'x'"},
        Rejected{"filter", "800 x", "invalid number for filter env: 'x'"},
        Rejected{"filter", "800 0.5 x", "invalid number for duration: 'x'"},
        Rejected{"filter", "800 0.5 0.2 bad",
                 "unknown curve 'bad' (expected linear, ease-in, ease-out or ease)"},
        // modulations
        Rejected{"vibrato", "", "vibrato needs <rate> <depth>"},
        Rejected{"vibrato", "4.5", "vibrato needs <rate> <depth>"},
        Rejected{"tremolo", "", "tremolo needs <rate> <depth>"},
        Rejected{"tremolo", "x 1", "invalid number for tremolo: 'x'"},
        Rejected{"arpeggio", "", "arpeggio needs offsets"},
        Rejected{"arpeggio", "0 4 7", "arpeggio needs 'rate <steps per second>'"},
        Rejected{"arpeggio", "rate 8", "invalid number for arpeggio offset: 'rate'"},
        // steps
        Rejected{"steps", "", "steps needs a value"},
        Rejected{"steps", "-1", "invalid steps count '-1'"},
        Rejected{"steps", "+", "invalid steps count '+'"},
        Rejected{"steps", "-", "invalid steps count '-'"},
        Rejected{"steps", "1.5", "invalid steps count '1.5'"},
        Rejected{"steps", "4294967296", "invalid steps count '4294967296'"},
        // voice
        Rejected{"voice", "", "voice needs a preset name"},
        Rejected{"voice", "choir ensemble", "voice 'ensemble' needs a singer count"},
        Rejected{"voice", "choir pitch 2", "unknown voice parameter 'pitch'"},
        Rejected{"voice", "choir Tilt 1", "unknown voice parameter 'Tilt'"},
        Rejected{"voice", "choir formant_shift 1", "unknown voice parameter 'formant_shift'"},
        Rejected{"voice", "choir tilt 0.2 0.3", "unknown voice parameter '0.3'"},
        Rejected{"voice", "choir tilt", "tilt needs a value"},
        Rejected{"voice", "choir breathiness x", "invalid number for breathiness: 'x'"},
        Rejected{"voice", "choir ensemble 18446744073709551616",
                 "invalid ensemble count '18446744073709551616'"},
        Rejected{"voice", "choir ensemble +", "invalid ensemble count '+'"},
        Rejected{"voice", "choir ensemble -1", "invalid ensemble count '-1'"},
        Rejected{"voice", "choir ensemble 4.5", "invalid ensemble count '4.5'"},
        Rejected{"voice", "choir ensemble four", "invalid ensemble count 'four'"},
        // sample
        Rejected{"sample", "", "sample needs a quoted file: sample \"kick.wav\""},
        Rejected{"sample", "kick.wav", "sample needs a quoted file: sample \"kick.wav\""},
        Rejected{"sample", "\"kick.wav", "unterminated note text (missing '\"')"},
        Rejected{"sample", "\"", "unterminated note text (missing '\"')"},
        Rejected{"sample", "\"kick.wav\"@36..48", "unterminated note text (missing '\"')"},
        Rejected{"sample", "\"kick.wav\" 36..48", "unexpected sample token '36..48'"},
        Rejected{"sample", "\"kick.wav\" @36", "sample range must be '<low>..<high>'"},
        Rejected{"sample", "\"kick.wav\" @ 36", "sample range must be '<low>..<high>'"},
        Rejected{"sample", "\"kick.wav\" @", "sample range needs '<low>..<high>' after '@'"},
        Rejected{"sample", "\"kick.wav\" @@36..48", "invalid number for sample range low: '@36'"},
        Rejected{"sample", "\"kick.wav\" @..48", "invalid number for sample range low: ''"},
        Rejected{"sample", "\"kick.wav\" @36..", "invalid number for sample range high: ''"},
        Rejected{"sample", "\"kick.wav\" @1..2..3", "invalid number for sample range high: '2..3'"},
        Rejected{"sample", "\"kick.wav\" @1..x", "invalid number for sample range high: 'x'"}));

// NaN is stored as read; it never compares equal, so it is checked apart.
TEST(SoundDirectiveNan, IsStoredAsRead) {
  const std::string names[] = {"volume", "sustain",    "noise",     "distortion",
                               "detune", "vol-jitter", "duty_sweep"};
  for (const std::string& name : names) {
    Sound sound;
    ASSERT_TRUE(apply_sound_directive(sound, name, "nan", 1).has_value()) << name;
    const float values[] = {sound.volume, sound.sustain,    sound.noise,     sound.distortion,
                            sound.detune, sound.vol_jitter, sound.duty_sweep};
    int nan_count = 0;
    for (float value : values) nan_count += std::isnan(value) ? 1 : 0;
    EXPECT_EQ(nan_count, 1) << name;
  }
}

}  // namespace
}  // namespace lyre
