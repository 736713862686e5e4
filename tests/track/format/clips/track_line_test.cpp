#include "track/format/clips/track_line.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lyre {
namespace {

constexpr std::size_t kLine = 2;
constexpr Curve kEase = Curve::ease();
constexpr Curve kLinear = Curve::linear();
constexpr Curve kEaseIn{true, false};
const float kInf = std::numeric_limits<float>::infinity();

Note plain(std::string sound, float start, float pitch, float duration) {
  return {.sound = std::move(sound),
          .start = start,
          .pitch = pitch,
          .last_segment = {0.0f, duration, kEase}};
}

template <class F>
Note with(Note note, F change) {
  change(note);
  return note;
}

struct Accepted {
  std::string_view line;
  TrackLine expected;
};

TEST(ParseTrackLine, ReadsNotesAndPlacements) {
  const std::vector<Accepted> cases = {
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
  for (const Accepted& c : cases) {
    SCOPED_TRACE(c.line);
    auto line = parse_track_line(c.line, kLine);
    ASSERT_TRUE(line.has_value()) << line.error().text();
    EXPECT_EQ(*line, c.expected);
  }
}

TEST(ParseTrackLine, StoresANanPitchAsRead) {
  auto line = parse_track_line("sine -1 nan -2", kLine);
  ASSERT_TRUE(line.has_value());
  const Note* note = std::get_if<Note>(&*line);
  ASSERT_NE(note, nullptr);
  EXPECT_TRUE(std::isnan(note->pitch));
  EXPECT_EQ(note->last_segment, (PitchSegment{0.0f, -2.0f, kEase}));
}

// Only a note line with a detail pays for the box of details.
TEST(ParseTrackLine, BoxesDetailsOnlyWhenTheLineHasOne) {
  const std::vector<std::pair<std::string_view, bool>> cases = {
      {"piano 0 60 1", false},
      {"piano 0 60 1 volume 0.5 repeat 3", false},
      {"piano 0 60 4 glide 2 ease-in", false},
      {"piano 0 60 1 vol-ramp 1", false},
      {"piano 0 60 1 vol-ramp 0", true},
      {"piano 0 60 1 \"la\"", true},
      {"piano 0 60 1 \"'\"", true},
      {"piano 0 60 1 arpeggio 0 4 rate 8", true},
  };
  for (const auto& [text, boxed] : cases) {
    auto line = parse_track_line(text, kLine);
    ASSERT_TRUE(line.has_value()) << text;
    EXPECT_EQ(std::get<Note>(*line).details.is_set(), boxed) << text;
  }
}

struct Rejected {
  std::string_view line;
  std::string message;
};

std::string audio_message(std::string_view name) {
  return "audio clips were replaced by sampler sounds: define '<name>: sample \"" +
         std::string(name) + "\"' under '# Sounds' and place it as a note";
}

TEST(ParseTrackLine, RejectsABadLine) {
  const std::string kick = audio_message("kick.wav");
  const std::vector<Rejected> cases = {
      {"", "empty track line"},
      {"piano", "note needs start"},
      {"piano 0", "note needs pitch"},
      {"piano 0 60", "note needs duration"},
      {"piano x 60 1", "invalid number for start: 'x'"},
      {"piano 0 C4 1", "invalid number for pitch: 'C4'"},
      {"piano 0 60 1/2", "invalid number for duration: '1/2'"},
      {"piano 0 60 1 pan", "unexpected note token 'pan'"},
      {"piano 0 60 1 1", "unexpected note token '1'"},
      // Audio file names are refused before any number is read.
      {"kick.wav 0 60 1", kick},
      {"kick.wav", kick},
      {"kick.wav x", kick},
      {"motif.wav 0 60 1", audio_message("motif.wav")},
      {"x.y.Flac 0 60 1", audio_message("x.y.Flac")},
      {"motif", "motif needs a name"},
      {"motif riff 8", "motif needs a sound"},
      {"subtrack", "subtrack needs a name"},
      {"subtrack verse 16 tuning just organ", "unexpected subtrack token 'organ'"},
  };
  for (const Rejected& c : cases) {
    SCOPED_TRACE(c.line);
    auto line = parse_track_line(c.line, kLine);
    ASSERT_FALSE(line.has_value());
    EXPECT_EQ(line.error().text(), "line 2: " + c.message);
  }
}

}  // namespace
}  // namespace lyre
