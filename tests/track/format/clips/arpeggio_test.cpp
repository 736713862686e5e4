#include "track/format/clips/arpeggio.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>

namespace lyre {
namespace {

struct Row {
  std::string first;
  std::string rest;
  std::optional<Arpeggio> expected;  // none: `message` is the error
  std::string message;
  std::string left = "";  // tokens not read
  NanRate nan_rate = NanRate::Refuse;
};

TEST(ParseArpeggio, OffsetsThenRate) {
  const float inf = std::numeric_limits<float>::infinity();
  const Row rows[] = {
      {"0", "4 7 rate 8", Arpeggio{{0, 4, 7}, 8}, ""},
      {"0", "rate 8 junk more", Arpeggio{{0}, 8}, "", "junk more"},
      {"-12", "rate inf", Arpeggio{{-12}, inf}, ""},
      {"0", "rate 1e-45", Arpeggio{{0}, 1e-45f}, ""},
      {"0.5", "-3 rate 2 rate 4", Arpeggio{{0.5f, -3}, 2}, "", "rate 4"},
      {"0", "", std::nullopt, "arpeggio needs 'rate <steps per second>'"},
      {"0", "4 7", std::nullopt, "arpeggio needs 'rate <steps per second>'"},
      {"0", "rate 0", std::nullopt, "arpeggio needs 'rate <steps per second>'"},
      {"0", "rate -2", std::nullopt, "arpeggio needs 'rate <steps per second>'"},
      {"0", "rate nan", std::nullopt, "arpeggio needs 'rate <steps per second>'"},
      {"0", "rate nan x", Arpeggio{{0}, std::numeric_limits<float>::quiet_NaN()}, "", "x",
       NanRate::Keep},
      {"0", "rate -2", std::nullopt, "arpeggio needs 'rate <steps per second>'", "", NanRate::Keep},
      {"0", "rate", std::nullopt, "arpeggio rate needs a value"},
      {"0", "rate fast", std::nullopt, "invalid number for arpeggio rate: 'fast'"},
      {"rate", "8", std::nullopt, "invalid number for arpeggio offset: 'rate'"},
      {"0", "4 x rate 8", std::nullopt, "invalid number for arpeggio offset: 'x'"},
      {"0", "Rate 8", std::nullopt, "invalid number for arpeggio offset: 'Rate'"},
  };
  for (const Row& row : rows) {
    Tokens rest(row.rest);
    auto arpeggio = parse_arpeggio(row.first, rest, 12, row.nan_rate);
    if (row.expected) {
      ASSERT_TRUE(arpeggio.has_value()) << row.rest << ": " << arpeggio.error().text();
      EXPECT_EQ(arpeggio->offsets, row.expected->offsets) << row.rest;
      if (std::isnan(row.expected->rate)) {
        EXPECT_TRUE(std::isnan(arpeggio->rate)) << row.rest;
      } else {
        EXPECT_EQ(arpeggio->rate, row.expected->rate) << row.rest;
      }
      EXPECT_EQ(rest.rest(), row.left) << row.rest;
    } else {
      ASSERT_FALSE(arpeggio.has_value()) << row.rest;
      EXPECT_EQ(arpeggio.error(), ParseError::line(12, row.message)) << row.rest;
    }
  }
}

}  // namespace
}  // namespace lyre
