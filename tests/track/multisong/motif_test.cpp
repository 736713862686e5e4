#include "lyre/track/multisong/motif.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <string_view>
#include <vector>

#include "lyre/docformat/parse_error.h"
#include "table_runner_test_support.h"
#include "track/line_error_test_support.h"
#include "track/multisong/motif_entry.h"

namespace lyre {
namespace {

using test_support::Fails;
using Body = std::vector<std::string_view>;

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

TEST(ParseMotifNote, ReadsANoteWithoutASound) {
  const std::vector<test_support::Row<std::string_view, Note>> rows = {
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
  test_support::expect_rows(rows, [](std::string_view line) { return parse_motif_note(line, 1); });
}

TEST(ParseMotifNote, RejectsABadLine) {
  const std::vector<test_support::Row<std::string_view, Note>> rows = {
      {"", Fails{"motif note needs start"}},
      {"0", Fails{"motif note needs pitch"}},
      {"0 60", Fails{"motif note needs duration"}},
      // No sound token, no audio-file test, no placements.
      {"kick.wav 0 60 1", Fails{"invalid number for start: 'kick.wav'"}},
      {"motif m 0 sine", Fails{"invalid number for start: 'motif'"}},
      {"0 C4 1", Fails{"invalid number for pitch: 'C4'"}},
      {"0 60 x", Fails{"invalid number for duration: 'x'"}},
      {"0 60 1 pan", Fails{"unexpected note token 'pan'"}},
      {"0 60 1 repeat -1", Fails{"invalid repeat count '-1'"}},
  };
  test_support::expect_rows(
      rows, [](std::string_view line) { return parse_motif_note(line, 3); },
      test_support::message_on_line(3));
}

std::expected<std::vector<Note>, docformat::ParseError> read_notes(const Body& lines) {
  return test_support::transform(Motif::parse(lines), [](Motif& motif) { return motif.notes; });
}

TEST(MotifParse, ReadsNotesAndTheirCurveLines) {
  const std::vector<test_support::Row<Body, std::vector<Note>>> rows = {
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
  test_support::expect_rows(rows, read_notes);
}

TEST(MotifParse, ReportsTheFirstErrorWithItsBodyLine) {
  const std::vector<test_support::Row<Body, std::vector<Note>>> rows = {
      {{"  pitch 0 0, 1 2"}, Fails{"line 1: indented curve without a preceding motif note"}},
      {{"\tvolume 0 1"}, Fails{"line 1: indented curve without a preceding motif note"}},
      {{"", "  pitch"}, Fails{"line 2: indented curve without a preceding motif note"}},
      // The kind of line is checked before the preceding note.
      {{"  vol 0 1"}, Fails{"line 1: indented motif line must be a 'pitch'/'volume' curve"}},
      {{"0 60 1", "  vol 0 1"},
       Fails{"line 2: indented motif line must be a 'pitch'/'volume' curve"}},
      {{"0 60 1", "  note 0 skip"},
       Fails{"line 2: indented motif line must be a 'pitch'/'volume' curve"}},
      {{"0 60 1", "  volume 0 x"}, Fails{"line 2: line 2: invalid number for envelope y: 'x'"}},
      {{"0 60 1", "  pitch"}, Fails{"line 2: line 2: note curve needs points"}},
      // Only a space or a tab indents.
      {{"0 60 1", "\u00a0pitch 0 0"}, Fails{"line 2: line 2: invalid number for start: 'pitch'"}},
      {{"0 60 1", "\u2003volume 0 1"}, Fails{"line 2: line 2: invalid number for start: 'volume'"}},
      {{"@mute"}, Fails{"line 1: line 1: invalid number for start: '@mute'"}},
      {{"0 60"}, Fails{"line 1: line 1: motif note needs duration"}},
      {{"0"}, Fails{"line 1: line 1: motif note needs pitch"}},
  };
  test_support::expect_rows(rows, read_notes, test_support::file_line_error);
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
