#include "track/multisong/layer_entry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "docformat/text.h"
#include "lyre/docformat/parse_error.h"
#include "table_runner_test_support.h"
#include "track/line_error_test_support.h"
#include "track/multisong/layer_body_error.h"

namespace lyre {
namespace {

using test_support::Fails;
using Body = std::vector<std::string_view>;

constexpr Curve kEase = Curve::ease();
constexpr Curve kLinear = Curve::linear();

NoteLine plain(std::string sound, float start, float pitch, float duration) {
  return {std::move(sound),
          {.start = start, .pitch = pitch, .last_segment = {0.0f, duration, kEase}}};
}

template <class T, class F>
T with(T value, F change) {
  change(value);
  return value;
}

template <class F>
NoteLine with(NoteLine line, F change) {
  change(line.note);
  return line;
}

// The notes as a layer holds them: each sound named once, in order of first
// use, and each note holding its sound's index.
void set_notes(Layer& layer, std::vector<NoteLine> lines) {
  for (NoteLine& line : lines) {
    auto found = std::find(layer.sounds.begin(), layer.sounds.end(), line.sound);
    line.note.sound = static_cast<std::uint32_t>(found - layer.sounds.begin());
    if (found == layer.sounds.end()) layer.sounds.push_back(line.sound);
    layer.notes.push_back(std::move(line.note));
  }
}

Layer layer_with(auto change) { return with(Layer{}, change); }

TEST(LayerParse, ReadsDirectivesNotesPlacementsAndIndentedLines) {
  const std::vector<test_support::Row<Body, Layer>> rows = {
      {"empty body", {}, Layer{}},
      {"blank lines", {"", "   ", "\t"}, Layer{}},
      {"two directives on one line", {"@volume 0.5 @pan -0.2"}, layer_with([](Layer& l) {
         l.volume = 0.5f;
         l.pan = -0.2f;
       })},
      {"directives cut at any white space",
       {"@pan\u00a00.5", "@mute\ton", "@volume\u3000param\u3000x"},
       layer_with([](Layer& l) {
         l.pan = 0.5f;
         l.mute = true;
         l.details.edit().volume_param = VolumeParam{"x", 1.0f};
       })},
      {"an indented directive is a directive",
       {"motif m 0 sine", "  @mute on"},
       layer_with([](Layer& l) {
         l.motifs = {{.motif = "m", .sound = "sine"}};
         l.mute = true;
       })},
      {"a lone @ or @ before a number is no directive", {"@", "@ 5", "  @"}, Layer{}},
      {"a note with a pitch curve", {"piano 0 60 1", "  pitch 0 0, 1 2"}, layer_with([](Layer& l) {
         set_notes(l, {with(plain("piano", 0.0f, 60.0f, 1.0f), [](Note& n) {
                     n.last_segment = {2.0f, 1.0f, kEase};
                   })});
       })},
      {"curve lines around a directive shape the same note",
       {"piano 0 60 4", "\tvolume 0 1, 1 0", "@mute on", "  pitch 0 0, 1 -1 linear"},
       layer_with([](Layer& l) {
         set_notes(l, {with(plain("piano", 0.0f, 60.0f, 4.0f), [](Note& n) {
                     n.details.edit().volume_curve = {{0.0f, 1.0f, kEase}, {1.0f, 0.0f, kEase}};
                     n.last_segment = {-1.0f, 4.0f, kEase};
                   })});
         l.mute = true;
       })},
      {"equal starts keep their written order",
       {"a 4 1 1", "a 0 2 1", "a 2 3 1", "a 0 4 1"},
       layer_with([](Layer& l) {
         set_notes(l, {plain("a", 0.0f, 2.0f, 1.0f), plain("a", 0.0f, 4.0f, 1.0f),
                       plain("a", 2.0f, 3.0f, 1.0f), plain("a", 4.0f, 1.0f, 1.0f)});
       })},
      {"-0 sorts before +0", {"a 0 1 1", "a -0 2 1", "a -inf 3 1"}, layer_with([](Layer& l) {
         set_notes(l, {plain("a", -std::numeric_limits<float>::infinity(), 3.0f, 1.0f),
                       plain("a", -0.0f, 2.0f, 1.0f), plain("a", 0.0f, 1.0f, 1.0f)});
       })},
      {"curves stay with their note when sorting",
       {"piano 4 60 1", "  pitch 0 0, 1 2", "piano 0 61 1"},
       layer_with([](Layer& l) {
         set_notes(l, {plain("piano", 0.0f, 61.0f, 1.0f),
                       with(plain("piano", 4.0f, 60.0f, 1.0f), [](Note& n) {
                         n.last_segment = {2.0f, 1.0f, kEase};
                       })});
       })},
      {"overrides follow the last placement",
       {"motif a 0 sine", "  note 0 skip", "subtrack b 4", "  note 1 skip", "@mute", "  trim 0 1"},
       layer_with([](Layer& l) {
         l.motifs = {{.motif = "a", .sound = "sine", .overrides = {{.index = 0, .skip = true}}}};
         l.subtracks = {{.layer = "b",
                         .start = 4.0f,
                         .trim = Trim{0, 1},
                         .overrides = {{.index = 1, .skip = true}}}};
       })},
      {"space and tab both indent, blank lines between",
       {"motif m 0 sine", "\tnote 0 skip", "", " trim 0 1"},
       layer_with([](Layer& l) {
         l.motifs = {{.motif = "m",
                      .sound = "sine",
                      .trim = Trim{0, 1},
                      .overrides = {{.index = 0, .skip = true}}}};
       })},
      {"other white space does not indent",
       {"sine 0 60 1", "\u00a0pitch 0 0 1"},
       layer_with([](Layer& l) {
         set_notes(l, {plain("sine", 0.0f, 60.0f, 1.0f), plain("pitch", 0.0f, 0.0f, 1.0f)});
       })},
      {"placements are not sorted",
       {"motif a 8 s", "subtrack y 4", "motif b 0 s", "subtrack x 0"},
       layer_with([](Layer& l) {
         l.motifs = {{.motif = "a", .start = 8.0f, .sound = "s"}, {.motif = "b", .sound = "s"}};
         l.subtracks = {{.layer = "y", .start = 4.0f}, {.layer = "x"}};
       })},
  };
  test_support::expect_rows(rows, [](const Body& lines) { return Layer::parse(lines); });
}

TEST(LayerParse, SortsNanStartsByTheTotalOrder) {
  const std::vector<std::string_view> lines = {"a nan 1 1", "a 1 2 1", "a -nan 3 1", "a -inf 4 1",
                                               "a nan 5 1"};
  auto layer = Layer::parse(lines);
  ASSERT_TRUE(layer.has_value()) << layer.error().text();
  std::vector<float> pitches;
  for (const Note& note : layer->notes) pitches.push_back(note.pitch);
  EXPECT_EQ(pitches, (std::vector<float>{3.0f, 4.0f, 2.0f, 1.0f, 5.0f}));
}

TEST(LayerParse, KeepsWrittenOrderAmongManyEqualStarts) {
  // Enough notes that an unstable sort would reorder equal starts.
  std::vector<std::string> body;
  for (int i = 0; i < 64; ++i)
    body.push_back(cat("a ", i % 3 == 0 ? "1" : "0", " ", std::to_string(i), " 1"));
  std::vector<std::string_view> lines(body.begin(), body.end());
  auto layer = Layer::parse(lines);
  ASSERT_TRUE(layer.has_value()) << layer.error().text();
  std::vector<float> expected;
  for (int start : {0, 1}) {
    for (int i = 0; i < 64; ++i) {
      if ((i % 3 == 0) == (start == 1)) expected.push_back(static_cast<float>(i));
    }
  }
  std::vector<float> pitches;
  for (const Note& note : layer->notes) pitches.push_back(note.pitch);
  EXPECT_EQ(pitches, expected);
}

// A note is its sound's index in the layer's list of sounds; the list
// holds each name once, in order of first use, past the few it compares in
// turn too.
TEST(LayerParse, KeepsEachSoundNameOnce) {
  const std::vector<test_support::Row<Body, std::string>> rows = {
      {"one sound", {"piano 0 60 1", "piano 1 60 1"}, "piano | piano piano"},
      {"first use, not start, orders the list",
       {"drum 4 60 1", "piano 0 60 1", "drum 2 60 1"},
       "drum piano | piano drum drum"},
      {"names differ by case", {"Piano 0 60 1", "piano 1 60 1"}, "Piano piano | Piano piano"},
      {"placements add no name",
       {"motif m 0 organ", "subtrack s 0 bass", "piano 0 60 1"},
       "piano | piano"},
      {"more sounds than are compared in turn",
       {"s1 0 1 1", "s2 0 2 1", "s3 0 3 1", "s4 0 4 1", "s5 0 5 1", "s6 0 6 1", "s7 0 7 1",
        "s8 0 8 1", "s9 0 9 1", "s10 0 10 1", "s9 0 11 1", "s1 0 12 1", "s11 0 13 1", "s10 0 14 1"},
       "s1 s2 s3 s4 s5 s6 s7 s8 s9 s10 s11 | s1 s2 s3 s4 s5 s6 s7 s8 s9 s10 s9 s1 s11 s10"},
  };
  test_support::expect_rows(rows, [](const Body& lines) {
    return test_support::transform(Layer::parse(lines), [](const Layer& layer) {
      std::string dump;
      for (const std::string& sound : layer.sounds) dump += (dump.empty() ? "" : " ") + sound;
      dump += " |";
      for (const Note& note : layer.notes) dump += cat(" ", layer.sound_of(note));
      return dump;
    });
  });
}

TEST(LayerSoundOf, IsEmptyForAnIndexPastTheList) {
  Layer layer;
  layer.sounds = {"piano"};
  EXPECT_EQ(layer.sound_of(Note{.sound = 0}), "piano");
  EXPECT_EQ(layer.sound_of(Note{.sound = 1}), "");
}

// Millions of notes are held at once: a plain note stays this small.
static_assert(sizeof(Note) <= 48);

TEST(AddClipLine, AppendsToTheMatchingList) {
  struct Case {
    std::string_view line;
    ClipKind kind;
  };
  const std::vector<Case> cases = {
      {"piano 0 60 1", ClipKind::Note},
      {"motif riff 8 piano", ClipKind::Motif},
      {"subtrack verse 16", ClipKind::Subtrack},
      {"piano 1 60 1", ClipKind::Note},
  };
  Layer layer;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    auto kind = add_clip_line(layer, c.line, 1);
    ASSERT_TRUE(kind.has_value()) << kind.error().text();
    EXPECT_EQ(*kind, c.kind);
  }
  EXPECT_EQ(layer, layer_with([](Layer& l) {
              set_notes(l, {plain("piano", 0.0f, 60.0f, 1.0f), plain("piano", 1.0f, 60.0f, 1.0f)});
              l.motifs = {{.motif = "riff", .start = 8.0f, .sound = "piano"}};
              l.subtracks = {{.layer = "verse", .start = 16.0f}};
            }));
}

// A note is read straight into the list; a refused line must leave the
// layer exactly as it was.
TEST(AddClipLine, RefusedLineLeavesTheLayerAsItWas) {
  const std::vector<std::string_view> lines = {
      "",
      "piano 0 60",
      "piano 0 60 1 pan",
      "piano 0 60 1 volume 2 \"la",
      "kick.wav",
      "motif riff 8",
      "subtrack",
      "piano x 60 1",
      "organ 0 60 1 pan",
  };
  const Layer before = layer_with([](Layer& l) {
    set_notes(l, {plain("piano", 0.0f, 60.0f, 1.0f)});
    l.motifs = {{.motif = "riff", .start = 8.0f, .sound = "piano"}};
  });
  for (std::string_view line : lines) {
    SCOPED_TRACE(line);
    Layer layer = before;
    EXPECT_FALSE(add_clip_line(layer, line, 2).has_value());
    EXPECT_EQ(layer, before);
  }
}

TEST(LayerParse, ReportsTheFirstErrorWithItsBodyLine) {
  const std::string kCurve = "indented pitch/volume curve without a preceding note";
  const std::string kOverride = "indented override without a preceding motif or subtrack instance";
  const std::vector<test_support::Row<Body, Layer>> rows = {
      {{"  pitch 0 0, 1 2"}, Fails{"line 1: " + kCurve}},
      {{"\tvolume 0 1"}, Fails{"line 1: " + kCurve}},
      // Without a note the curve fails before its points are read.
      {{"  pitch"}, Fails{"line 1: " + kCurve}},
      {{"motif m 0 sine", "  pitch 0 0, 1 2"}, Fails{"line 2: " + kCurve}},
      {{"sine 0 60 1", "  mute"}, Fails{"line 2: " + kOverride}},
      {{"  note 0 skip"}, Fails{"line 1: " + kOverride}},
      {{"sine 0 60 1", "  pitch, 0 0"}, Fails{"line 2: " + kOverride}},
      {{"sine 0 60 1", "  Pitch 0 0"}, Fails{"line 2: " + kOverride}},
      {{"motif a 0 sine", "  note 0 skip", "sine 0 60 1", "  trim 0 1"},
       Fails{"line 4: " + kOverride}},
      {{"motif a 0 sine", "", "  note 0 skip", "", "  trim x 1"},
       Fails{"line 5: line 5: invalid index for trim from: 'x'"}},
      {{"@volume 0.5 @bogus 1"}, Fails{"line 1: line 1: unknown layer directive 'bogus'"}},
      {{"@loop 8 skip 2 3"}, Fails{"line 1: line 1: extra tokens after loop skip"}},
      {{"sine 0 60 1", "  pitch"}, Fails{"line 2: line 2: note curve needs points"}},
      {{"sine 0 60 1", "  pitch 0 0, 1 2 bogus"},
       Fails{"line 2: line 2: unknown curve 'bogus' (expected linear, ease-in, ease-out or ease)"}},
      {{"", "", "", "", "piano 0 x 1"}, Fails{"line 5: line 5: invalid number for pitch: 'x'"}},
      {{"sine 0 60 1", "\fvolume 0 1, 1 1"},
       Fails{"line 2: line 2: invalid number for pitch: '1,'"}},
      {{"piano 0 60"}, Fails{"line 1: line 1: note needs duration"}},
      {{"kick.wav 0 60 1"},
       Fails{"line 1: line 1: audio clips were replaced by sampler sounds: define '<name>: sample "
             "\"kick.wav\"' under '# Sounds' and place it as a note"}},
  };
  test_support::expect_rows(
      rows, [](const Body& lines) { return Layer::parse(lines); }, test_support::file_line_error);
}

// A layer body's own errors name no body line: the file line alone shows.
TEST(LayerParse, BodyErrorsNameNoBodyLine) {
  struct Case {
    std::vector<std::string_view> lines;
    LayerBodyError::Kind kind;
  };
  const std::vector<Case> cases = {
      {{"  pitch 0 0"}, LayerBodyError::Kind::CurveWithoutNote},
      {{"  trim 0 1"}, LayerBodyError::Kind::OverrideWithoutPlacement},
  };
  for (const Case& c : cases) {
    auto layer = Layer::parse(c.lines);
    ASSERT_FALSE(layer.has_value());
    const auto& line = std::get<docformat::ParseError::Line>(layer.error().kind());
    EXPECT_EQ(line.cause, (docformat::Cause{LayerBodyError{c.kind}.text()}));
  }
}

// Every reference a layer can hold, each name distinct.
Layer referring_layer() {
  auto layer = Layer::parse(std::vector<std::string_view>{
      "@tuning just",
      "@effect reverb hall",
      "@effect lowpass param cutoff 8000 200",
      "piano 0 60 1 \"piano\"",
      "motif riff 8 organ tuning just",
      "  note 0 text \"organ\"",
      "subtrack verse 16 bass tuning equal",
      "subtrack chorus 32",
  });
  EXPECT_TRUE(layer.has_value());
  layer->take_entry_name("lead");
  return *layer;
}

TEST(LayerRenameReferences, RewritesEveryNameItRefersTo) {
  const Layer original = referring_layer();
  const std::vector<test_support::Row<docformat::RenameMap, Layer>> rows = {
      {"empty map", {}, original},
      {"names it does not hold", {{"cutoff", "x"}, {"Piano", "x"}}, original},
      {"every reference",
       {{"lead", "a::lead"},
        {"just", "a::just"},
        {"piano", "a::piano"},
        {"riff", "a::riff"},
        {"organ", "a::organ"},
        {"verse", "a::verse"},
        {"bass", "a::bass"},
        {"equal", "a::equal"},
        {"chorus", "a::chorus"},
        {"hall", "a::hall"}},
       with(original,
            [](Layer& l) {
              l.name = "a::lead";
              l.details.edit().tuning = "a::just";
              l.effects[0] = Effect{Effect::NamedReverb{"a::hall"}};
              // Texts of notes and overrides stay as written.
              l.sounds[0] = "a::piano";
              l.motifs[0].motif = "a::riff";
              l.motifs[0].sound = "a::organ";
              l.motifs[0].tuning = "a::just";
              l.subtracks[0].layer = "a::verse";
              l.subtracks[0].sound = "a::bass";
              l.subtracks[0].tuning = "a::equal";
              l.subtracks[1].layer = "a::chorus";
            })},
  };
  test_support::expect_rows(rows, [&](const docformat::RenameMap& map) {
    Layer layer = original;
    layer.rename_references(map);
    return layer;
  });
}

TEST(LayerTakeEntryName, StoresTheEntryName) {
  Layer layer;
  layer.take_entry_name("drums");
  EXPECT_EQ(layer, layer_with([](Layer& l) { l.name = "drums"; }));
}

}  // namespace
}  // namespace lyre
