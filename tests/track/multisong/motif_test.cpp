#include "lyre/track/multisong/motif.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <string_view>
#include <vector>

#include "lyre/docformat/parse_error.h"
#include "track/multisong/motif_entry.h"

namespace lyre {
namespace {

constexpr Curve kEase = Curve::ease();
constexpr Curve kLinear = Curve::linear();
constexpr Curve kEaseIn{true, false};

Note motif_note(float start, float pitch, float duration) {
  return {.start = start, .pitch = pitch, .last_segment = {0.0f, duration, kEase}};
}

template <class F>
Note with(Note note, F change) {
  change(note);
  return note;
}

struct NoteCase {
  std::string_view line;
  Note expected;
};

TEST(ParseMotifNote, ReadsANoteWithoutASound) {
  const std::vector<NoteCase> cases = {
      {"0 60 1", motif_note(0.0f, 60.0f, 1.0f)},
      {"-1 2 0", motif_note(-1.0f, 2.0f, 0.0f)},
      {"1 62 0.5 glide 2 ease-in", with(motif_note(1.0f, 62.0f, 0.5f),
                                        [](Note& n) {
                                          n.last_segment = {2.0f, 0.5f, kEaseIn};
                                        })},
      {"2 64 1 \"la la\" volume 0.5 repeat 2 arpeggio 0 4 rate 8 vol-ramp 0 linear",
       with(motif_note(2.0f, 64.0f, 1.0f),
            [](Note& n) {
              n.details.edit().text = "la la";
              n.volume = 0.5f;
              n.repeat = 2;
              n.details.edit().arpeggio = {{0.0f, 4.0f}, 8.0f};
              n.details.edit().volume_curve = {{0.0f, 1.0f, kLinear}, {1.0f, 0.0f, kLinear}};
            })},
  };
  for (const NoteCase& c : cases) {
    SCOPED_TRACE(c.line);
    auto note = parse_motif_note(c.line, 1);
    ASSERT_TRUE(note.has_value()) << note.error().text();
    EXPECT_EQ(*note, c.expected);
  }
}

struct NoteRejected {
  std::string_view line;
  std::string_view message;
};

TEST(ParseMotifNote, RejectsABadLine) {
  const std::vector<NoteRejected> cases = {
      {"", "motif note needs start"},
      {"0", "motif note needs pitch"},
      {"0 60", "motif note needs duration"},
      // No sound token, no audio-file test, no placements.
      {"kick.wav 0 60 1", "invalid number for start: 'kick.wav'"},
      {"motif m 0 sine", "invalid number for start: 'motif'"},
      {"0 C4 1", "invalid number for pitch: 'C4'"},
      {"0 60 x", "invalid number for duration: 'x'"},
      {"0 60 1 pan", "unexpected note token 'pan'"},
      {"0 60 1 repeat -1", "invalid repeat count '-1'"},
  };
  for (const NoteRejected& c : cases) {
    SCOPED_TRACE(c.line);
    auto note = parse_motif_note(c.line, 3);
    ASSERT_FALSE(note.has_value());
    EXPECT_EQ(note.error().text(), "line 3: " + std::string(c.message));
  }
}

struct Accepted {
  std::string_view name;
  std::vector<std::string_view> lines;
  std::vector<Note> expected;
};

TEST(MotifParse, ReadsNotesAndTheirCurveLines) {
  const std::vector<Accepted> cases = {
      {"empty body", {}, {}},
      {"blank lines", {"  ", "", "\u00a0"}, {}},
      {"notes keep their written order",
       {"4 60 1", "0 62 1"},
       {motif_note(4.0f, 60.0f, 1.0f), motif_note(0.0f, 62.0f, 1.0f)}},
      {"space- and tab-indented curves shape the note above",
       {"0 60 1", "1 62 0.5 glide 2 ease-in", "  pitch 0 0, 1 2", "\tvolume 0 1, 1 0", "",
        "2 64 1"},
       {motif_note(0.0f, 60.0f, 1.0f),
        with(motif_note(1.0f, 62.0f, 0.5f),
             [](Note& n) {
               n.last_segment = {2.0f, 0.5f, kEase};
               n.details.edit().volume_curve = {{0.0f, 1.0f, kEase}, {1.0f, 0.0f, kEase}};
             }),
        motif_note(2.0f, 64.0f, 1.0f)}},
      {"a later pitch line replaces an earlier one",
       {"0 0 4", "  pitch 0 1", "  pitch 0 2"},
       {with(motif_note(0.0f, 0.0f, 4.0f),
             [](Note& n) {
               n.details.edit().pitch_segments = {{2.0f, 0.0f, kLinear}};
               n.last_segment = {0.0f, 4.0f, kEase};
             })}},
  };
  for (const Accepted& c : cases) {
    SCOPED_TRACE(c.name);
    auto motif = Motif::parse(c.lines);
    ASSERT_TRUE(motif.has_value()) << motif.error().text();
    EXPECT_EQ(motif->notes, c.expected);
  }
}

struct Rejected {
  std::vector<std::string_view> lines;
  std::size_t line;
  std::string_view text;
};

TEST(MotifParse, ReportsTheFirstErrorWithItsBodyLine) {
  const std::vector<Rejected> cases = {
      {{"  pitch 0 0, 1 2"}, 1, "line 1: indented curve without a preceding motif note"},
      {{"\tvolume 0 1"}, 1, "line 1: indented curve without a preceding motif note"},
      {{"", "  pitch"}, 2, "line 2: indented curve without a preceding motif note"},
      // The kind of line is checked before the preceding note.
      {{"  vol 0 1"}, 1, "line 1: indented motif line must be a 'pitch'/'volume' curve"},
      {{"0 60 1", "  vol 0 1"}, 2, "line 2: indented motif line must be a 'pitch'/'volume' curve"},
      {{"0 60 1", "  note 0 skip"},
       2,
       "line 2: indented motif line must be a 'pitch'/'volume' curve"},
      {{"0 60 1", "  volume 0 x"}, 2, "line 2: line 2: invalid number for envelope y: 'x'"},
      {{"0 60 1", "  pitch"}, 2, "line 2: line 2: note curve needs points"},
      // Only a space or a tab indents.
      {{"0 60 1", "\u00a0pitch 0 0"}, 2, "line 2: line 2: invalid number for start: 'pitch'"},
      {{"0 60 1", "\u2003volume 0 1"}, 2, "line 2: line 2: invalid number for start: 'volume'"},
      {{"@mute"}, 1, "line 1: line 1: invalid number for start: '@mute'"},
      {{"0 60"}, 1, "line 1: line 1: motif note needs duration"},
      {{"0"}, 1, "line 1: line 1: motif note needs pitch"},
  };
  for (const Rejected& c : cases) {
    SCOPED_TRACE(c.text);
    auto motif = Motif::parse(c.lines);
    ASSERT_FALSE(motif.has_value());
    const auto* line = std::get_if<docformat::ParseError::Line>(&motif.error().kind());
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->line, c.line);
    EXPECT_EQ(motif.error().text(), c.text);
  }
}

// A motif body's own errors name no body line: the file line alone shows.
TEST(MotifParse, BodyErrorsNameNoBodyLine) {
  struct Case {
    std::vector<std::string_view> lines;
    MotifBodyError::Kind kind;
  };
  const std::vector<Case> cases = {
      {{"  vol"}, MotifBodyError::Kind::NonCurveIndent},
      {{"  pitch 0 0"}, MotifBodyError::Kind::CurveWithoutNote},
  };
  for (const Case& c : cases) {
    auto motif = Motif::parse(c.lines);
    ASSERT_FALSE(motif.has_value());
    const auto& line = std::get<docformat::ParseError::Line>(motif.error().kind());
    EXPECT_EQ(line.cause, (docformat::Cause{MotifBodyError{c.kind}.text()}));
  }
}

}  // namespace
}  // namespace lyre
