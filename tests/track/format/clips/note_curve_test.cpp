#include "track/format/clips/note_curve.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "table_runner_test_support.h"
#include "track/line_error_test_support.h"

namespace lyre {
namespace {

using test_support::Fails;
using Row = test_support::Row<std::string_view, Note>;

constexpr std::size_t kLine = 5;
constexpr Curve kEase = Curve::ease();
constexpr Curve kLinear = Curve::linear();
constexpr Curve kEaseIn{true, false};

// A note of duration 4 that already has a volume curve and a glide.
Note shaped_note() {
  return {.last_segment = {3.0f, 4.0f, kLinear},
          .details = NoteDetails{.volume_curve = {{0.0f, 1.0f, kEase}, {1.0f, 0.0f, kLinear}}}};
}

template <class F>
Note with(F change) {
  Note note = shaped_note();
  change(note);
  return note;
}

// The line applied to the shaped note, which a refused line leaves alone.
auto apply_to_note(std::string_view line) {
  return test_support::apply_to(shaped_note(),
                                [&](Note& note) { return apply_note_curve(note, line, kLine); });
}

TEST(ApplyNoteCurve, ReplacesTheVolumeCurveOrThePitchTrajectory) {
  const std::vector<Row> rows = {
      {"volume 0 0, 0.5 1 ease-in, 1 0", with([](Note& n) {
         n.details.edit().volume_curve = {
             {0.0f, 0.0f, kEase}, {0.5f, 1.0f, kEaseIn}, {1.0f, 0.0f, kEase}};
       })},
      {"volume 5 5", with([](Note& n) {
         n.details.edit().volume_curve = {{5.0f, 5.0f, kEase}};
       })},
      // The pitch curve replaces the glide over the same duration.
      {"pitch 0 0, 1 2", with([](Note& n) {
         n.last_segment = {2.0f, 4.0f, kEase};
       })},
      {"pitch 0.5 1", with([](Note& n) {
         n.details.edit().pitch_segments = {{1.0f, 0.0f, kLinear}, {0.0f, 2.0f, kEase}};
         n.last_segment = {0.0f, 2.0f, kEase};
       })},
      {"pitch\u00a00 0,1 1 linear", with([](Note& n) {
         n.last_segment = {1.0f, 4.0f, kEase};
       })},
  };
  test_support::expect_rows(rows, apply_to_note);
}

TEST(ApplyNoteCurve, ALaterPitchLineUsesTheCurrentDuration) {
  Note note = shaped_note();
  ASSERT_TRUE(apply_note_curve(note, "pitch 0.5 1", kLine).has_value());
  ASSERT_TRUE(apply_note_curve(note, "pitch 0 0, 1 2", kLine).has_value());
  EXPECT_EQ(note, with([](Note& n) { n.last_segment = {2.0f, 4.0f, kEase}; }));
}

TEST(ApplyNoteCurve, RejectsABadLineAndLeavesTheNoteAlone) {
  const std::vector<Row> rows = {
      {"pitch", Fails{"note curve needs points"}},
      {"volume", Fails{"note curve needs points"}},
      {"pitch 0 0, 1 2 bogus",
       Fails{"unknown curve 'bogus' (expected linear, ease-in, ease-out or ease)"}},
      {"volume 0 1,", Fails{"envelope point needs '<x> <y> [curve]'"}},
      {"volume 0 x", Fails{"invalid number for envelope y: 'x'"}},
      {"bogus 0 0", Fails{"unknown note curve 'bogus'"}},
      {"Pitch 0 0", Fails{"unknown note curve 'Pitch'"}},
      // The points are read before the word is looked at.
      {"bogus x", Fails{"envelope point needs '<x> <y> [curve]'"}},
  };
  test_support::expect_rows(rows, apply_to_note, test_support::message_on_line(kLine));
}

}  // namespace
}  // namespace lyre
