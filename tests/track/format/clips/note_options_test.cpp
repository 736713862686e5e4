#include "track/format/clips/note_options.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <string_view>
#include <vector>

#include "table_runner_test_support.h"
#include "track/line_error_test_support.h"

namespace lyre {
namespace {

using test_support::Fails;
using Row = test_support::Row<std::string_view, NoteOptions>;

constexpr std::size_t kLine = 9;
constexpr Curve kEase = Curve::ease();
constexpr Curve kLinear = Curve::linear();
constexpr Curve kEaseIn{true, false};
constexpr Curve kEaseOut{false, true};

std::expected<NoteOptions, ParseError> options_of(std::string_view text) {
  Tokens tokens(text);
  return parse_note_options(tokens, kLine);
}

std::vector<WavePoint> ramp(float from, float to, Curve curve) {
  return {{0.0f, from, curve}, {1.0f, to, kLinear}};
}

TEST(ParseNoteOptions, ReadsEachOption) {
  const std::vector<Row> rows = {
      {"", {}},
      // glide: an offset and an optional curve word for the first point.
      {"glide 2", {.pitch_points = ramp(0.0f, 2.0f, kEase)}},
      {"glide 2 ease-in", {.pitch_points = ramp(0.0f, 2.0f, kEaseIn)}},
      {"glide -1.5 ease-out", {.pitch_points = ramp(0.0f, -1.5f, kEaseOut)}},
      {"glide 2 linear", {.pitch_points = ramp(0.0f, 2.0f, kLinear)}},
      {"glide 2 volume 0.5", {.pitch_points = ramp(0.0f, 2.0f, kEase), .volume = 0.5f}},
      {"glide 0 linear", {}},
      {"glide -0 ease", {}},
      {"glide 2 glide 0", {}},
      // volume
      {"volume 0.5", {.volume = 0.5f}},
      {"volume -2", {.volume = -2.0f}},
      {"volume 2 volume 3", {.volume = 3.0f}},
      // vol-ramp: from 1 to the target; exactly 1 is no ramp.
      {"vol-ramp 0", {.volume_points = ramp(1.0f, 0.0f, kEase)}},
      {"vol-ramp 0.5 ease-out", {.volume_points = ramp(1.0f, 0.5f, kEaseOut)}},
      {"vol-ramp 1", {}},
      {"vol-ramp 1 ease", {}},
      {"vol-ramp 0 linear volume 2", {.volume_points = ramp(1.0f, 0.0f, kLinear), .volume = 2.0f}},
      // repeat
      {"repeat 3", {.repeat = 3}},
      {"repeat +3", {.repeat = 3}},
      {"repeat 0", {.repeat = 0}},
      {"repeat 007", {.repeat = 7}},
      {"repeat 4294967295", {.repeat = 4294967295u}},
      {"repeat 1 repeat 2", {.repeat = 2}},
      // arpeggio
      {"arpeggio 0 4 7 rate 8", {.arpeggio = {{0.0f, 4.0f, 7.0f}, 8.0f}}},
      {"arpeggio -12 rate 0.5 volume 2", {.arpeggio = {{-12.0f}, 0.5f}, .volume = 2.0f}},
      {"arpeggio 0 rate 4 arpeggio 3 rate 2", {.arpeggio = {{3.0f}, 2.0f}}},
      {"arpeggio 0 rate inf", {.arpeggio = {{0.0f}, INFINITY}}},
      // quoted text
      {"\"la la la\"", {.text = "la la la"}},
      {"\"la\u00a0 la\"", {.text = "la la"}},
      {"\"'la\"", {.text = "la", .text_marked = true}},
      {"\"''la\"", {.text = "'la", .text_marked = true}},
      {"\"\"", {}},
      {"\"a\"b\"", {.text = "a\"b"}},
      {"\"hi\" volume 2", {.text = "hi", .volume = 2.0f}},
      // A later text replaces the words but never clears the mark.
      {"\"'a\" \"b\"", {.text = "b", .text_marked = true}},
      // Any order.
      {"volume 0.5 glide 2 repeat 3 \"x\" vol-ramp 0 arpeggio 0 rate 4",
       {.pitch_points = ramp(0.0f, 2.0f, kEase),
        .volume_points = ramp(1.0f, 0.0f, kEase),
        .text = "x",
        .arpeggio = {{0.0f}, 4.0f},
        .volume = 0.5f,
        .repeat = 3}},
  };
  test_support::expect_rows(rows, options_of);
}

TEST(ParseNoteOptions, KeepsANanArpeggioRate) {
  auto options = options_of("arpeggio 0 4 rate nan");
  ASSERT_TRUE(options.has_value()) << options.error().text();
  EXPECT_EQ(options->arpeggio.offsets, (std::vector<float>{0.0f, 4.0f}));
  EXPECT_TRUE(std::isnan(options->arpeggio.rate));
}

TEST(ParseNoteOptions, RejectsABadOption) {
  const Fails kNeedsRate{"arpeggio needs 'rate <steps per second>'"};
  const std::vector<Row> rows = {
      {"glide", Fails{"glide needs an offset"}},
      {"glide x", Fails{"invalid number for glide: 'x'"}},
      // A token that is not one of the four curve words is the next option.
      {"glide 2 Linear", Fails{"unexpected note token 'Linear'"}},
      {"glide 2 smooth", Fails{"unexpected note token 'smooth'"}},
      {"glide 2 ease-in ease-out", Fails{"unexpected note token 'ease-out'"}},
      {"volume", Fails{"volume needs a value"}},
      {"volume loud", Fails{"invalid number for volume: 'loud'"}},
      {"vol-ramp", Fails{"vol-ramp needs a target factor"}},
      {"vol-ramp x", Fails{"invalid number for vol-ramp: 'x'"}},
      {"vol-ramp 0.5 bogus", Fails{"unexpected note token 'bogus'"}},
      {"vol-ramp 1 Ease", Fails{"unexpected note token 'Ease'"}},
      {"repeat", Fails{"repeat needs a count"}},
      {"repeat x", Fails{"invalid repeat count 'x'"}},
      {"repeat -1", Fails{"invalid repeat count '-1'"}},
      {"repeat -0", Fails{"invalid repeat count '-0'"}},
      {"repeat +", Fails{"invalid repeat count '+'"}},
      {"repeat +-1", Fails{"invalid repeat count '+-1'"}},
      {"repeat 1e3", Fails{"invalid repeat count '1e3'"}},
      {"repeat 1.0", Fails{"invalid repeat count '1.0'"}},
      {"repeat 4294967296", Fails{"invalid repeat count '4294967296'"}},
      {"arpeggio", Fails{"arpeggio needs an offset"}},
      // The first offset is a number even when it is the word rate.
      {"arpeggio rate 8", Fails{"invalid number for arpeggio offset: 'rate'"}},
      {"arpeggio 0 x rate 8", Fails{"invalid number for arpeggio offset: 'x'"}},
      {"arpeggio 0 4 7", kNeedsRate},
      {"arpeggio 0 rate 0", kNeedsRate},
      {"arpeggio 0 rate -1", kNeedsRate},
      {"arpeggio 0 rate -0", kNeedsRate},
      {"arpeggio 0 rate 1e-50", kNeedsRate},
      {"arpeggio 0 rate", Fails{"arpeggio rate needs a value"}},
      {"arpeggio 0 rate fast", Fails{"invalid number for arpeggio rate: 'fast'"}},
      {"\"la la", Fails{"unterminated note text (missing '\"')"}},
      {"\"", Fails{"unterminated note text (missing '\"')"}},
      {"pan", Fails{"unexpected note token 'pan'"}},
      {"1", Fails{"unexpected note token '1'"}},
      {"@mute", Fails{"unexpected note token '@mute'"}},
      {"Volume 1", Fails{"unexpected note token 'Volume'"}},
      {"la\"", Fails{"unexpected note token 'la\"'"}},
      // The first bad option ends the reading.
      {"volume 0.5 glide 2 repeat x", Fails{"invalid repeat count 'x'"}},
  };
  test_support::expect_rows(rows, options_of, test_support::message_on_line(kLine));
}

}  // namespace
}  // namespace lyre
