#include "track/format/sounds/sound_directive.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "table_runner_test_support.h"
#include "track/line_error_test_support.h"

namespace lyre {
namespace {

using test_support::Fails;
using Row = test_support::Row<std::pair<std::string_view, std::string_view>, Sound>;
using Kind = VoiceOverride::Kind;

constexpr float kInf = std::numeric_limits<float>::infinity();

// Settings already held before the directive, so that rows show what a
// directive replaces, keeps or appends to.
Sound base_sound() {
  Sound sound;
  sound.filter_cutoff = 100;
  sound.filter_env = 7;
  sound.filter_envelope = EnvelopeStage{9, Curve::linear()};
  sound.details.edit().voice = "solo";
  sound.details.edit().voice_overrides = {VoiceOverride{VoiceOverride::Kind::Tilt, 1}};
  sound.details.edit().ensemble = 3;
  sound.details.edit().sample_zones = {SampleZone{"first.wav", 1, 2}};
  sound.details.edit().arpeggio = Arpeggio{{1, 2}, 3};
  sound.details.edit().vibrato = Lfo{"saw", 1, 1};
  return sound;
}

template <class F>
Sound changed(F change) {
  Sound sound = base_sound();
  change(sound);
  return sound;
}

// The directive applied to the base sound, which a refused one leaves alone.
auto apply_to_base(std::size_t line) {
  return [line](std::pair<std::string_view, std::string_view> directive) {
    return test_support::apply_to(base_sound(), [&](Sound& sound) {
      return apply_sound_directive(sound, directive.first, directive.second, line);
    });
  };
}

TEST(ApplySoundDirective, ChangesOnlyItsSettings) {
  const std::vector<Row> rows = {
      // scalars
      {{"volume", "0.5"}, changed([](Sound& s) { s.volume = 0.5f; })},
      {{"volume", "0.5 0.7"}, changed([](Sound& s) { s.volume = 0.5f; })},
      {{"volume", "0.5 @pan 1"}, changed([](Sound& s) { s.volume = 0.5f; })},
      {{"volume", "-inf"}, changed([](Sound& s) { s.volume = -kInf; })},
      {{"sustain", "0.8"}, changed([](Sound& s) { s.sustain = 0.8f; })},
      {{"noise", "0.1"}, changed([](Sound& s) { s.noise = 0.1f; })},
      {{"distortion", "1.5"}, changed([](Sound& s) { s.distortion = 1.5f; })},
      {{"detune", "3"}, changed([](Sound& s) { s.detune = 3; })},
      {{"vol-jitter", "0.1"}, changed([](Sound& s) { s.vol_jitter = 0.1f; })},
      {{"duty_sweep", "0.2"}, changed([](Sound& s) { s.duty_sweep = 0.2f; })},
      {{"slide", "5 0.04"}, changed([](Sound& s) {
         s.slide_amount = 5;
         s.slide_time = 0.04f;
       })},
      // envelope stages
      {{"attack", "0.01"}, changed([](Sound& s) {
         s.attack = {0.01f, Curve::ease()};
       })},
      {{"decay", "0.8 ease-out"}, changed([](Sound& s) {
         s.decay = {0.8f, Curve{false, true}};
       })},
      {{"decay", "0.3 linear junk"}, changed([](Sound& s) {
         s.decay = {0.3f, Curve::linear()};
       })},
      {{"release", "-1 ease-in"}, changed([](Sound& s) {
         s.release = {-1, Curve{true, false}};
       })},
      // filter: only the values given are replaced
      {{"filter", "800"}, changed([](Sound& s) { s.filter_cutoff = 800; })},
      {{"filter", "800 0.5"}, changed([](Sound& s) {
         s.filter_cutoff = 800;
         s.filter_env = 0.5f;
       })},
      {{"filter", "800 0.5 0.2"}, changed([](Sound& s) {
         s.filter_cutoff = 800;
         s.filter_env = 0.5f;
         s.filter_envelope = {0.2f, Curve::ease()};
       })},
      {{"filter", "800 0.5 0.2 ease-in extra"}, changed([](Sound& s) {
         s.filter_cutoff = 800;
         s.filter_env = 0.5f;
         s.filter_envelope = {0.2f, Curve{true, false}};
       })},
      // modulations replace the whole value
      {{"vibrato", "5 0.1 square"}, changed([](Sound& s) {
         s.details.edit().vibrato = {"soft_square", 5, 0.1f};
       })},
      {{"vibrato", "6 0.06"}, changed([](Sound& s) {
         s.details.edit().vibrato = {"", 6, 0.06f};
       })},
      {{"tremolo", "4 0.2"}, changed([](Sound& s) {
         s.details.edit().tremolo = {"", 4, 0.2f};
       })},
      {{"arpeggio", "0 4 7 rate 8"}, changed([](Sound& s) {
         s.details.edit().arpeggio = {{0, 4, 7}, 8};
       })},
      {{"arpeggio", "-12 rate inf junk"}, changed([](Sound& s) {
         s.details.edit().arpeggio = {{-12}, kInf};
       })},
      // steps: unsigned 32-bit
      {{"steps", "+8"}, changed([](Sound& s) { s.steps = 8; })},
      {{"steps", "0"}, changed([](Sound& s) { s.steps = 0; })},
      {{"steps", "007"}, changed([](Sound& s) { s.steps = 7; })},
      {{"steps", "8 9"}, changed([](Sound& s) { s.steps = 8; })},
      {{"steps", "4294967295"}, changed([](Sound& s) { s.steps = 4294967295u; })},
      // voice: preset replaced, overrides appended, ensemble overwritten when given
      {{"voice", "choir tilt 0.2 vibrato 0.1 ensemble 4"}, changed([](Sound& s) {
         s.details.edit().voice = "choir";
         s.details.edit().voice_overrides.push_back({Kind::Tilt, 0.2f});
         s.details.edit().voice_overrides.push_back({Kind::Vibrato, 0.1f});
         s.details.edit().ensemble = 4;
       })},
      {{"voice", "choir"}, changed([](Sound& s) { s.details.edit().voice = "choir"; })},
      {{"voice", "alto formant-shift -2 breathiness 0.3 tilt 1 tilt 2"}, changed([](Sound& s) {
         s.details.edit().voice = "alto";
         s.details.edit().voice_overrides.push_back({Kind::FormantShift, -2});
         s.details.edit().voice_overrides.push_back({Kind::Breathiness, 0.3f});
         s.details.edit().voice_overrides.push_back({Kind::Tilt, 1});
         s.details.edit().voice_overrides.push_back({Kind::Tilt, 2});
       })},
      {{"voice", "choir ensemble 0"}, changed([](Sound& s) {
         s.details.edit().voice = "choir";
         s.details.edit().ensemble = 0;
       })},
      {{"voice", "choir ensemble +5 ensemble 18446744073709551615"}, changed([](Sound& s) {
         s.details.edit().voice = "choir";
         s.details.edit().ensemble = 18446744073709551615u;
       })},
      // samples append a zone
      {{"sample", "\"kick.wav\""}, changed([](Sound& s) {
         s.details.edit().sample_zones.push_back({"kick.wav", -kInf, kInf});
       })},
      {{"sample", "\"soft kick.wav\" @36..48"}, changed([](Sound& s) {
         s.details.edit().sample_zones.push_back({"soft kick.wav", 36, 48});
       })},
      {{"sample", "\"soft \t  kick.wav\" @ 36..48 extra"}, changed([](Sound& s) {
         s.details.edit().sample_zones.push_back({"soft kick.wav", 36, 48});
       })},
      {{"sample", "\"x.wav\" @ 1...2"}, changed([](Sound& s) {
         s.details.edit().sample_zones.push_back({"x.wav", 1, 0.2f});
       })},
      {{"sample", "\"hi.wav\" @90..-inf"}, changed([](Sound& s) {
         s.details.edit().sample_zones.push_back({"hi.wav", 90, -kInf});
       })},
      {{"sample", "\"a\"b\""},
       changed([](Sound& s) { s.details.edit().sample_zones.push_back({"a\"b"}); })},
  };
  test_support::expect_rows(rows, apply_to_base(3));
}

TEST(ApplySoundDirective, LeavesTheSoundAloneOnAnError) {
  const std::vector<Row> rows = {
      {{"bogus", "1"}, Fails{"unknown sound directive 'bogus'"}},
      {{"", ""}, Fails{"unknown sound directive ''"}},
      {{"Volume", "0.5"}, Fails{"unknown sound directive 'Volume'"}},
      {{"effect", "lowpass 1"}, Fails{"unknown sound directive 'effect'"}},
      {{"pan", "0"}, Fails{"unknown sound directive 'pan'"}},
      // scalars
      {{"volume", ""}, Fails{"volume needs a value"}},
      {{"volume", "x"}, Fails{"invalid number for volume: 'x'"}},
      {{"sustain", "full"}, Fails{"invalid number for sustain: 'full'"}},
      {{"noise", "1,5"}, Fails{"invalid number for noise: '1,5'"}},
      {{"distortion", "0x1"}, Fails{"invalid number for distortion: '0x1'"}},
      {{"detune", ""}, Fails{"detune needs a value"}},
      {{"vol-jitter", "a"}, Fails{"invalid number for vol-jitter: 'a'"}},
      {{"duty_sweep", ""}, Fails{"duty_sweep needs a value"}},
      {{"slide", ""}, Fails{"slide amount needs a value"}},
      {{"slide", "5"}, Fails{"slide time needs a value"}},
      {{"slide", "x"}, Fails{"invalid number for slide amount: 'x'"}},
      {{"slide", "5 x"}, Fails{"invalid number for slide time: 'x'"}},
      // envelope stages
      {{"attack", ""}, Fails{"attack needs a duration"}},
      {{"decay", ""}, Fails{"decay needs a duration"}},
      {{"release", ""}, Fails{"release needs a duration"}},
      {{"decay", "fast"}, Fails{"invalid number for duration: 'fast'"}},
      {{"release", "1,0"}, Fails{"invalid number for duration: '1,0'"}},
      {{"decay", "0.3 smooth"},
       Fails{"unknown curve 'smooth' (expected linear, ease-in, ease-out or ease)"}},
      // filter
      {{"filter", ""}, Fails{"filter cutoff needs a value"}},
      {{"filter", "x"}, Fails{"invalid number for filter cutoff: 'x'"}},
      {{"filter", "800 x"}, Fails{"invalid number for filter env: 'x'"}},
      {{"filter", "800 0.5 x"}, Fails{"invalid number for duration: 'x'"}},
      {{"filter", "800 0.5 0.2 bad"},
       Fails{"unknown curve 'bad' (expected linear, ease-in, ease-out or ease)"}},
      // modulations
      {{"vibrato", ""}, Fails{"vibrato needs <rate> <depth>"}},
      {{"vibrato", "4.5"}, Fails{"vibrato needs <rate> <depth>"}},
      {{"tremolo", ""}, Fails{"tremolo needs <rate> <depth>"}},
      {{"tremolo", "x 1"}, Fails{"invalid number for tremolo: 'x'"}},
      {{"arpeggio", ""}, Fails{"arpeggio needs offsets"}},
      {{"arpeggio", "0 4 7"}, Fails{"arpeggio needs 'rate <steps per second>'"}},
      {{"arpeggio", "rate 8"}, Fails{"invalid number for arpeggio offset: 'rate'"}},
      // steps
      {{"steps", ""}, Fails{"steps needs a value"}},
      {{"steps", "-1"}, Fails{"invalid steps count '-1'"}},
      {{"steps", "+"}, Fails{"invalid steps count '+'"}},
      {{"steps", "-"}, Fails{"invalid steps count '-'"}},
      {{"steps", "1.5"}, Fails{"invalid steps count '1.5'"}},
      {{"steps", "4294967296"}, Fails{"invalid steps count '4294967296'"}},
      // voice
      {{"voice", ""}, Fails{"voice needs a preset name"}},
      {{"voice", "choir ensemble"}, Fails{"voice 'ensemble' needs a singer count"}},
      {{"voice", "choir pitch 2"}, Fails{"unknown voice parameter 'pitch'"}},
      {{"voice", "choir Tilt 1"}, Fails{"unknown voice parameter 'Tilt'"}},
      {{"voice", "choir formant_shift 1"}, Fails{"unknown voice parameter 'formant_shift'"}},
      {{"voice", "choir tilt 0.2 0.3"}, Fails{"unknown voice parameter '0.3'"}},
      {{"voice", "choir tilt"}, Fails{"tilt needs a value"}},
      {{"voice", "choir breathiness x"}, Fails{"invalid number for breathiness: 'x'"}},
      {{"voice", "choir ensemble 18446744073709551616"},
       Fails{"invalid ensemble count '18446744073709551616'"}},
      {{"voice", "choir ensemble +"}, Fails{"invalid ensemble count '+'"}},
      {{"voice", "choir ensemble -1"}, Fails{"invalid ensemble count '-1'"}},
      {{"voice", "choir ensemble 4.5"}, Fails{"invalid ensemble count '4.5'"}},
      {{"voice", "choir ensemble four"}, Fails{"invalid ensemble count 'four'"}},
      // sample
      {{"sample", ""}, Fails{"sample needs a quoted file: sample \"kick.wav\""}},
      {{"sample", "kick.wav"}, Fails{"sample needs a quoted file: sample \"kick.wav\""}},
      {{"sample", "\"kick.wav"}, Fails{"unterminated note text (missing '\"')"}},
      {{"sample", "\""}, Fails{"unterminated note text (missing '\"')"}},
      {{"sample", "\"kick.wav\"@36..48"}, Fails{"unterminated note text (missing '\"')"}},
      {{"sample", "\"kick.wav\" 36..48"}, Fails{"unexpected sample token '36..48'"}},
      {{"sample", "\"kick.wav\" @36"}, Fails{"sample range must be '<low>..<high>'"}},
      {{"sample", "\"kick.wav\" @ 36"}, Fails{"sample range must be '<low>..<high>'"}},
      {{"sample", "\"kick.wav\" @"}, Fails{"sample range needs '<low>..<high>' after '@'"}},
      {{"sample", "\"kick.wav\" @@36..48"}, Fails{"invalid number for sample range low: '@36'"}},
      {{"sample", "\"kick.wav\" @..48"}, Fails{"invalid number for sample range low: ''"}},
      {{"sample", "\"kick.wav\" @36.."}, Fails{"invalid number for sample range high: ''"}},
      {{"sample", "\"kick.wav\" @1..2..3"}, Fails{"invalid number for sample range high: '2..3'"}},
      {{"sample", "\"kick.wav\" @1..x"}, Fails{"invalid number for sample range high: 'x'"}},
  };
  test_support::expect_rows(rows, apply_to_base(11), test_support::message_on_line(11));
}

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
