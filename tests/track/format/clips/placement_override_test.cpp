#include "track/format/clips/placement_override.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "table_runner_test_support.h"
#include "track/line_error_test_support.h"

namespace lyre {
namespace {

using test_support::Fails;

constexpr std::size_t kLine = 6;
constexpr Curve kEase = Curve::ease();
constexpr Curve kEaseIn{true, false};

// The placement's slots before and after one override line.
struct Slots {
  std::optional<Trim> trim;
  std::vector<NoteOverride> overrides;
  bool operator==(const Slots&) const = default;
};

// The line, then the slots it is applied to; a refused line leaves them alone.
using Row = test_support::Row<std::pair<std::string_view, Slots>, Slots>;

std::expected<Slots, ParseError> apply_line(const std::pair<std::string_view, Slots>& in) {
  return test_support::apply_to(in.second, [&](Slots& slots) {
    return apply_placement_override(slots.trim, slots.overrides, in.first, kLine);
  });
}

TEST(ApplyPlacementOverride, RecordsTrimsAndNoteOverrides) {
  const NoteOverride earlier{.index = 1, .skip = true};
  const std::vector<Row> rows = {
      {{"trim 2 4", {}}, {Trim{2, 4}, {}}},
      {{"trim +0 0", {}}, {Trim{0, 0}, {}}},
      {{"trim 1 2", {Trim{5, 5}, {earlier}}}, {Trim{1, 2}, {earlier}}},
      {{"note 3 skip", {}}, {std::nullopt, {{.index = 3, .skip = true}}}},
      {{"note 3 volume 0.5 pitch 2", {}},
       {std::nullopt, {{.index = 3, .pitch = 2.0f, .volume = 0.5f}}}},
      {{"note 0 start 1 duration 2 glide -1", {}},
       {std::nullopt, {{.index = 0, .start = 1.0f, .duration = 2.0f, .glide = -1.0f}}}},
      {{"note 0 pitch 1 pitch 2", {}}, {std::nullopt, {{.index = 0, .pitch = 2.0f}}}},
      {{"note 0", {}}, {std::nullopt, {{.index = 0}}}},
      {{"note +7 skip", {}}, {std::nullopt, {{.index = 7, .skip = true}}}},
      {{"note 18446744073709551615 skip", {}},
       {std::nullopt, {{.index = std::numeric_limits<std::uint64_t>::max(), .skip = true}}}},
      {{"note 0 pitch-curve 0 0, 1 2 ease-in", {}},
       {std::nullopt,
        {{.index = 0, .pitch_curve = {{{0.0f, 0.0f, kEase}, {1.0f, 2.0f, kEaseIn}}}}}}},
      {{"note 0 volume 1 pitch-curve 0\u00a00 ,1 1", {}},
       {std::nullopt,
        {{.index = 0,
          .volume = 1.0f,
          .pitch_curve = {{{0.0f, 0.0f, kEase}, {1.0f, 1.0f, kEase}}}}}}},
      {{"note 0 text \"hi  there\"", {}}, {std::nullopt, {{.index = 0, .text = "hi there"}}}},
      // Every leading apostrophe goes, and no mark is kept.
      {{"note 0 text \"''la\"", {}}, {std::nullopt, {{.index = 0, .text = "la"}}}},
      {{"note 0 text \"'\"", {}}, {std::nullopt, {{.index = 0, .text = ""}}}},
      {{"note 0 text \"a\" skip", {}}, {std::nullopt, {{.index = 0, .skip = true, .text = "a"}}}},
      // Overrides of the same index append in written order.
      {{"note 1 pitch 3", {std::nullopt, {earlier}}},
       {std::nullopt, {earlier, {.index = 1, .pitch = 3.0f}}}},
  };
  test_support::expect_rows(rows, apply_line);
}

TEST(ApplyPlacementOverride, RejectsABadLineAndLeavesThePlacementAlone) {
  const Fails kTrim{"trim needs <from> <count>"};
  const Fails kUnterminated{"unterminated note text (missing '\"')"};
  const Fails kPoint{"envelope point needs '<x> <y> [curve]'"};
  const Slots before{Trim{5, 5}, {{.index = 1, .skip = true}}};
  const std::vector<test_support::Row<std::string_view, Slots>> rows = {
      {"", Fails{"empty placement override"}},
      {"mute", Fails{"placement override must be 'note' or 'trim', got 'mute'"}},
      {"Note 0 skip", Fails{"placement override must be 'note' or 'trim', got 'Note'"}},
      {"Trim 0 1", Fails{"placement override must be 'note' or 'trim', got 'Trim'"}},
      {"3 skip", Fails{"placement override must be 'note' or 'trim', got '3'"}},
      {"notes 0", Fails{"placement override must be 'note' or 'trim', got 'notes'"}},
      {"trim", kTrim},
      {"trim 2", kTrim},
      {"trim 2 4 6", Fails{"trim takes only <from> <count>"}},
      {"trim -1 4", Fails{"invalid index for trim from: '-1'"}},
      {"trim x", Fails{"invalid index for trim from: 'x'"}},
      {"trim 0 x", Fails{"invalid index for trim count: 'x'"}},
      {"trim 0 1.5", Fails{"invalid index for trim count: '1.5'"}},
      {"note", Fails{"note override needs an index"}},
      {"note x", Fails{"invalid index for note index: 'x'"}},
      {"note -1 skip", Fails{"invalid index for note index: '-1'"}},
      {"note 3 volume", Fails{"override 'volume' needs a value"}},
      {"note 3 bogus", Fails{"override 'bogus' needs a value"}},
      {"note 0 skip 1", Fails{"override '1' needs a value"}},
      {"note 0 skip volume 0.5 pitch", Fails{"override 'pitch' needs a value"}},
      {"note 0 1 2", Fails{"unknown override field '1'"}},
      {"note 3 bogus 1", Fails{"unknown override field 'bogus'"}},
      // The value is read as a number before the field word is matched.
      {"note 3 bogus x", Fails{"invalid number for bogus: 'x'"}},
      {"note 3 volume x", Fails{"invalid number for volume: 'x'"}},
      {"note 3 Pitch 1", Fails{"unknown override field 'Pitch'"}},
      {"note 3 text hi", Fails{"override text must be quoted"}},
      {"note 3 text hi\"", Fails{"override text must be quoted"}},
      {"note 3 text \"hi", kUnterminated},
      {"note 3 text \"", kUnterminated},
      {"note 3 text \"a\"x", kUnterminated},
      {"note 0 pitch-curve", kPoint},
      {"note 0 pitch-curve 0 0,", kPoint},
      {"note 0 pitch-curve 0 x", Fails{"invalid number for envelope y: 'x'"}},
      {"note 0 pitch-curve 0 0 bogus",
       Fails{"unknown curve 'bogus' (expected linear, ease-in, ease-out or ease)"}},
  };
  auto apply_to_before = [&](std::string_view line) { return apply_line({line, before}); };
  test_support::expect_rows(rows, apply_to_before, test_support::message_on_line(kLine));
}

}  // namespace
}  // namespace lyre
