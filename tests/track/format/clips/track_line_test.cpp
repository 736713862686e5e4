#include "track/format/clips/track_line.h"

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

constexpr std::size_t kLine = 2;
constexpr Curve kEase = Curve::ease();
constexpr Curve kLinear = Curve::linear();
constexpr Curve kEaseIn{true, false};
const float kInf = std::numeric_limits<float>::infinity();

NoteLine plain(std::string sound, float start, float pitch, float duration) {
  return {std::move(sound),
          {.start = start, .pitch = pitch, .last_segment = {0.0f, duration, kEase}}};
}

template <class F>
NoteLine with(NoteLine line, F change) {
  change(line.note);
  return line;
}

auto read_line(std::string_view line) { return parse_track_line(line, kLine); }

TEST(ParseTrackLine, ReadsNotesAndPlacements) {
  const std::vector<test_support::Row<std::string_view, TrackLine>> rows = {
      {"piano 0 60 1", plain("piano", 0.0f, 60.0f, 1.0f)},
      {"sine\t0  60\u00a01", plain("sine", 0.0f, 60.0f, 1.0f)},
      {"sine inf -inf 0", plain("sine", kInf, -kInf, 0.0f)},
      {"sine 1e3 .5 5.", plain("sine", 1000.0f, 0.5f, 5.0f)},
      {"sine -1 2 -2", plain("sine", -1.0f, 2.0f, -2.0f)},
      {"kick.wave 0 60 1", plain("kick.wave", 0.0f, 60.0f, 1.0f)},
      {"Motif 0 60 1", plain("Motif", 0.0f, 60.0f, 1.0f)},
      // The glide becomes the trajectory over the written duration.
      {"piano 0 60 4 glide 2 ease-in", with(plain("piano", 0.0f, 60.0f, 4.0f),
                                            [](Note& n) {
                                              n.last_segment = {2.0f, 4.0f, kEaseIn};
                                            })},
      {"piano 0 60 4 glide 2 volume 0.5", with(plain("piano", 0.0f, 60.0f, 4.0f),
                                               [](Note& n) {
                                                 n.last_segment = {2.0f, 4.0f, kEase};
                                                 n.volume = 0.5f;
                                               })},
      {"piano 0 60 4 glide 0 linear", plain("piano", 0.0f, 60.0f, 4.0f)},
      {"piano 0 60 1 vol-ramp 0",
       with(plain("piano", 0.0f, 60.0f, 1.0f),
            [](Note& n) {
              n.details.edit().volume_curve = {{0.0f, 1.0f, kEase}, {1.0f, 0.0f, kLinear}};
            })},
      {"piano 0 60 1 vol-ramp 1", plain("piano", 0.0f, 60.0f, 1.0f)},
      {"piano 2 60 1 \"'la la\" repeat 3 arpeggio 0 4 rate 8",
       with(plain("piano", 2.0f, 60.0f, 1.0f),
            [](Note& n) {
              n.details.edit().text = "la la";
              n.details.edit().text_marked = true;
              n.repeat = 3;
              n.details.edit().arpeggio = {{0.0f, 4.0f}, 8.0f};
            })},
      {"motif riff 8 piano", MotifInstance{.motif = "riff", .start = 8.0f, .sound = "piano"}},
      {"subtrack verse 16 organ",
       SubtrackInstance{.layer = "verse", .start = 16.0f, .sound = "organ"}},
  };
  test_support::expect_rows(rows, read_line);
}

TEST(ParseTrackLine, StoresANanPitchAsRead) {
  auto line = parse_track_line("sine -1 nan -2", kLine);
  ASSERT_TRUE(line.has_value());
  const NoteLine* read = std::get_if<NoteLine>(&*line);
  ASSERT_NE(read, nullptr);
  const Note* note = &read->note;
  EXPECT_TRUE(std::isnan(note->pitch));
  EXPECT_EQ(note->last_segment, (PitchSegment{0.0f, -2.0f, kEase}));
}

// Only a note line with a detail pays for the box of details.
TEST(ParseTrackLine, BoxesDetailsOnlyWhenTheLineHasOne) {
  const std::vector<test_support::Row<std::string_view, bool>> rows = {
      {"piano 0 60 1", false},
      {"piano 0 60 1 volume 0.5 repeat 3", false},
      {"piano 0 60 4 glide 2 ease-in", false},
      {"piano 0 60 1 vol-ramp 1", false},
      {"piano 0 60 1 vol-ramp 0", true},
      {"piano 0 60 1 \"la\"", true},
      {"piano 0 60 1 \"'\"", true},
      {"piano 0 60 1 arpeggio 0 4 rate 8", true},
  };
  test_support::expect_rows(rows, [](std::string_view line) {
    return test_support::transform(read_line(line), [](TrackLine& read) {
      return std::get<NoteLine>(read).note.details.is_set();
    });
  });
}

std::string audio_message(std::string_view name) {
  return "audio clips were replaced by sampler sounds: define '<name>: sample \"" +
         std::string(name) + "\"' under '# Sounds' and place it as a note";
}

TEST(ParseTrackLine, RejectsABadLine) {
  const std::string kick = audio_message("kick.wav");
  const std::vector<test_support::Row<std::string_view, TrackLine>> rows = {
      {"", Fails{"empty track line"}},
      {"piano", Fails{"note needs start"}},
      {"piano 0", Fails{"note needs pitch"}},
      {"piano 0 60", Fails{"note needs duration"}},
      {"piano x 60 1", Fails{"invalid number for start: 'x'"}},
      {"piano 0 C4 1", Fails{"invalid number for pitch: 'C4'"}},
      {"piano 0 60 1/2", Fails{"invalid number for duration: '1/2'"}},
      {"piano 0 60 1 pan", Fails{"unexpected note token 'pan'"}},
      {"piano 0 60 1 1", Fails{"unexpected note token '1'"}},
      // Audio file names are refused before any number is read.
      {"kick.wav 0 60 1", Fails{kick}},
      {"kick.wav", Fails{kick}},
      {"kick.wav x", Fails{kick}},
      {"motif.wav 0 60 1", Fails{audio_message("motif.wav")}},
      {"x.y.Flac 0 60 1", Fails{audio_message("x.y.Flac")}},
      {"motif", Fails{"motif needs a name"}},
      {"motif riff 8", Fails{"motif needs a sound"}},
      {"subtrack", Fails{"subtrack needs a name"}},
      {"subtrack verse 16 tuning just organ", Fails{"unexpected subtrack token 'organ'"}},
  };
  test_support::expect_rows(rows, read_line, test_support::message_on_line(kLine));
}

}  // namespace
}  // namespace lyre
