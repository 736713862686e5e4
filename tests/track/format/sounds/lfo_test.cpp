#include "track/format/sounds/lfo.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace lyre {
namespace {

struct Row {
  std::string directive;
  std::string first;
  std::string rest;
  std::optional<Lfo> expected;  // none: `message` is the error
  std::string message;
};

TEST(ParseLfo, ReadsRateDepthAndShape) {
  const Row rows[] = {
      {"vibrato", "4.5", "0.18", Lfo{"", 4.5f, 0.18f}, ""},
      {"vibrato", "5", "0.1 square", Lfo{"soft_square", 5, 0.1f}, ""},
      {"tremolo", "4", "0.2 tri", Lfo{"triangle", 4, 0.2f}, ""},
      {"tremolo", "4", "0.2 Square", Lfo{"Square", 4, 0.2f}, ""},
      {"vibrato", "6", "0.06 wobble extra", Lfo{"wobble", 6, 0.06f}, ""},
      {"vibrato", "4.5", "", std::nullopt, "vibrato needs <rate> <depth>"},
      {"tremolo", "4.5", "  ", std::nullopt, "tremolo needs <rate> <depth>"},
      {"vibrato", "fast", "0.1", std::nullopt, "invalid number for vibrato: 'fast'"},
      {"tremolo", "4", "deep", std::nullopt, "invalid number for tremolo: 'deep'"},
  };
  for (const Row& row : rows) {
    Tokens rest(row.rest);
    auto lfo = parse_lfo(row.first, rest, 6, row.directive);
    if (row.expected) {
      ASSERT_TRUE(lfo.has_value()) << row.rest << ": " << lfo.error().text();
      EXPECT_EQ(*lfo, *row.expected) << row.rest;
    } else {
      ASSERT_FALSE(lfo.has_value()) << row.rest;
      EXPECT_EQ(lfo.error(), ParseError::line(6, row.message)) << row.rest;
    }
  }
}

}  // namespace
}  // namespace lyre
