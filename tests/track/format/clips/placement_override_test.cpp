#include "track/format/clips/placement_override.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace lyre {
namespace {

constexpr std::size_t kLine = 6;
constexpr Curve kEase = Curve::ease();
constexpr Curve kEaseIn{true, false};

// The placement's slots before and after one override line.
struct Slots {
  std::optional<Trim> trim;
  std::vector<NoteOverride> overrides;
  bool operator==(const Slots&) const = default;
};

struct Accepted {
  std::string_view line;
  Slots before;
  Slots after;
};

TEST(ApplyPlacementOverride, RecordsTrimsAndNoteOverrides) {
  const NoteOverride earlier{.index = 1, .skip = true};
  const std::vector<Accepted> cases = {
      {"trim 2 4", {}, {Trim{2, 4}, {}}},
      {"trim +0 0", {}, {Trim{0, 0}, {}}},
      {"trim 1 2", {Trim{5, 5}, {earlier}}, {Trim{1, 2}, {earlier}}},
      {"note 3 skip", {}, {std::nullopt, {{.index = 3, .skip = true}}}},
      {"note 3 volume 0.5 pitch 2",
       {},
       {std::nullopt, {{.index = 3, .pitch = 2.0f, .volume = 0.5f}}}},
      {"note 0 start 1 duration 2 glide -1",
       {},
       {std::nullopt, {{.index = 0, .start = 1.0f, .duration = 2.0f, .glide = -1.0f}}}},
      {"note 0 pitch 1 pitch 2", {}, {std::nullopt, {{.index = 0, .pitch = 2.0f}}}},
      {"note 0", {}, {std::nullopt, {{.index = 0}}}},
      {"note +7 skip", {}, {std::nullopt, {{.index = 7, .skip = true}}}},
      {"note 18446744073709551615 skip",
       {},
       {std::nullopt, {{.index = std::numeric_limits<std::uint64_t>::max(), .skip = true}}}},
      {"note 0 pitch-curve 0 0, 1 2 ease-in",
       {},
       {std::nullopt,
        {{.index = 0, .pitch_curve = {{{0.0f, 0.0f, kEase}, {1.0f, 2.0f, kEaseIn}}}}}}},
      {"note 0 volume 1 pitch-curve 0\u00a00 ,1 1",
       {},
       {std::nullopt,
        {{.index = 0,
          .volume = 1.0f,
          .pitch_curve = {{{0.0f, 0.0f, kEase}, {1.0f, 1.0f, kEase}}}}}}},
      {"note 0 text \"hi  there\"", {}, {std::nullopt, {{.index = 0, .text = "hi there"}}}},
      // Every leading apostrophe goes, and no mark is kept.
      {"note 0 text \"''la\"", {}, {std::nullopt, {{.index = 0, .text = "la"}}}},
      {"note 0 text \"'\"", {}, {std::nullopt, {{.index = 0, .text = ""}}}},
      {"note 0 text \"a\" skip", {}, {std::nullopt, {{.index = 0, .skip = true, .text = "a"}}}},
      // Overrides of the same index append in written order.
      {"note 1 pitch 3",
       {std::nullopt, {earlier}},
       {std::nullopt, {earlier, {.index = 1, .pitch = 3.0f}}}},
  };
  for (const Accepted& c : cases) {
    SCOPED_TRACE(c.line);
    Slots slots = c.before;
    auto applied = apply_placement_override(slots.trim, slots.overrides, c.line, kLine);
    ASSERT_TRUE(applied.has_value()) << applied.error().text();
    EXPECT_EQ(slots, c.after);
  }
}

struct Rejected {
  std::string_view line;
  std::string_view message;
};

TEST(ApplyPlacementOverride, RejectsABadLineAndLeavesThePlacementAlone) {
  constexpr std::string_view kTrim = "trim needs <from> <count>";
  constexpr std::string_view kUnterminated = "unterminated note text (missing '\"')";
  constexpr std::string_view kPoint = "envelope point needs '<x> <y> [curve]'";
  const std::vector<Rejected> cases = {
      {"", "empty placement override"},
      {"mute", "placement override must be 'note' or 'trim', got 'mute'"},
      {"Note 0 skip", "placement override must be 'note' or 'trim', got 'Note'"},
      {"Trim 0 1", "placement override must be 'note' or 'trim', got 'Trim'"},
      {"3 skip", "placement override must be 'note' or 'trim', got '3'"},
      {"notes 0", "placement override must be 'note' or 'trim', got 'notes'"},
      {"trim", kTrim},
      {"trim 2", kTrim},
      {"trim 2 4 6", "trim takes only <from> <count>"},
      {"trim -1 4", "invalid index for trim from: '-1'"},
      {"trim x", "invalid index for trim from: 'x'"},
      {"trim 0 x", "invalid index for trim count: 'x'"},
      {"trim 0 1.5", "invalid index for trim count: '1.5'"},
      {"note", "note override needs an index"},
      {"note x", "invalid index for note index: 'x'"},
      {"note -1 skip", "invalid index for note index: '-1'"},
      {"note 3 volume", "override 'volume' needs a value"},
      {"note 3 bogus", "override 'bogus' needs a value"},
      {"note 0 skip 1", "override '1' needs a value"},
      {"note 0 skip volume 0.5 pitch", "override 'pitch' needs a value"},
      {"note 0 1 2", "unknown override field '1'"},
      {"note 3 bogus 1", "unknown override field 'bogus'"},
      // The value is read as a number before the field word is matched.
      {"note 3 bogus x", "invalid number for bogus: 'x'"},
      {"note 3 volume x", "invalid number for volume: 'x'"},
      {"note 3 Pitch 1", "unknown override field 'Pitch'"},
      {"note 3 text hi", "override text must be quoted"},
      {"note 3 text hi\"", "override text must be quoted"},
      {"note 3 text \"hi", kUnterminated},
      {"note 3 text \"", kUnterminated},
      {"note 3 text \"a\"x", kUnterminated},
      {"note 0 pitch-curve", kPoint},
      {"note 0 pitch-curve 0 0,", kPoint},
      {"note 0 pitch-curve 0 x", "invalid number for envelope y: 'x'"},
      {"note 0 pitch-curve 0 0 bogus",
       "unknown curve 'bogus' (expected linear, ease-in, ease-out or ease)"},
  };
  const Slots before{Trim{5, 5}, {{.index = 1, .skip = true}}};
  for (const Rejected& c : cases) {
    SCOPED_TRACE(c.line);
    Slots slots = before;
    auto applied = apply_placement_override(slots.trim, slots.overrides, c.line, kLine);
    ASSERT_FALSE(applied.has_value());
    EXPECT_EQ(applied.error().text(), "line 6: " + std::string(c.message));
    EXPECT_EQ(slots, before);
  }
}

}  // namespace
}  // namespace lyre
