#include "track/format/clips/arpeggio.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "table_runner_test_support.h"
#include "track/line_error_test_support.h"

namespace lyre {
namespace {

using test_support::Fails;

// The first offset and the words after it; the arpeggio read, then the words
// it left.
using Row = test_support::Row<std::string_view, std::pair<Arpeggio, std::string>>;

auto read_arpeggio(NanRate nan_rate) {
  return [nan_rate](std::string_view words) {
    Tokens rest(words);
    const std::string_view first = *rest.next();
    return test_support::transform(parse_arpeggio(first, rest, 12, nan_rate), [&](Arpeggio& a) {
      return std::pair{a, std::string(rest.rest())};
    });
  };
}

const Fails kNeedsRate{"arpeggio needs 'rate <steps per second>'"};

TEST(ParseArpeggio, OffsetsThenRate) {
  const float inf = std::numeric_limits<float>::infinity();
  const std::vector<Row> rows = {
      {"0 4 7 rate 8", {{{0, 4, 7}, 8}, ""}},
      {"0 rate 8 junk more", {{{0}, 8}, "junk more"}},
      {"-12 rate inf", {{{-12}, inf}, ""}},
      {"0 rate 1e-45", {{{0}, 1e-45f}, ""}},
      {"0.5 -3 rate 2 rate 4", {{{0.5f, -3}, 2}, "rate 4"}},
      {"0", kNeedsRate},
      {"0 4 7", kNeedsRate},
      {"0 rate 0", kNeedsRate},
      {"0 rate -2", kNeedsRate},
      {"0 rate nan", kNeedsRate},
      {"0 rate", Fails{"arpeggio rate needs a value"}},
      {"0 rate fast", Fails{"invalid number for arpeggio rate: 'fast'"}},
      {"rate 8", Fails{"invalid number for arpeggio offset: 'rate'"}},
      {"0 4 x rate 8", Fails{"invalid number for arpeggio offset: 'x'"}},
      {"0 Rate 8", Fails{"invalid number for arpeggio offset: 'Rate'"}},
  };
  test_support::expect_rows(rows, read_arpeggio(NanRate::Refuse),
                            test_support::message_on_line(12));
}

TEST(ParseArpeggio, KeepsANanRateWhenAsked) {
  const std::vector<Row> rows = {
      {"0 rate -2", kNeedsRate},
  };
  test_support::expect_rows(rows, read_arpeggio(NanRate::Keep), test_support::message_on_line(12));

  // NaN never compares equal, so this row is checked field by field.
  auto nan = read_arpeggio(NanRate::Keep)("0 rate nan x");
  ASSERT_TRUE(nan.has_value()) << nan.error().text();
  EXPECT_EQ(nan->first.offsets, std::vector<float>{0});
  EXPECT_TRUE(std::isnan(nan->first.rate));
  EXPECT_EQ(nan->second, "x");
}

}  // namespace
}  // namespace lyre
