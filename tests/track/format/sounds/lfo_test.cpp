#include "track/format/sounds/lfo.h"

#include <gtest/gtest.h>

#include <string_view>
#include <utility>
#include <vector>

#include "table_runner_test_support.h"
#include "track/line_error_test_support.h"

namespace lyre {
namespace {

using test_support::Fails;

// The directive word, then the words after it.
using Row = test_support::Row<std::pair<std::string_view, std::string_view>, Lfo>;

TEST(ParseLfo, ReadsRateDepthAndShape) {
  const std::vector<Row> rows = {
      {{"vibrato", "4.5 0.18"}, Lfo{"", 4.5f, 0.18f}},
      {{"vibrato", "5 0.1 square"}, Lfo{"soft_square", 5, 0.1f}},
      {{"tremolo", "4 0.2 tri"}, Lfo{"triangle", 4, 0.2f}},
      {{"tremolo", "4 0.2 Square"}, Lfo{"Square", 4, 0.2f}},
      {{"vibrato", "6 0.06 wobble extra"}, Lfo{"wobble", 6, 0.06f}},
      {{"vibrato", "4.5"}, Fails{"vibrato needs <rate> <depth>"}},
      {{"tremolo", "4.5   "}, Fails{"tremolo needs <rate> <depth>"}},
      {{"vibrato", "fast 0.1"}, Fails{"invalid number for vibrato: 'fast'"}},
      {{"tremolo", "4 deep"}, Fails{"invalid number for tremolo: 'deep'"}},
  };
  test_support::expect_rows(
      rows,
      [](auto in) {
        Tokens rest(in.second);
        const std::string_view first = *rest.next();
        return parse_lfo(first, rest, 6, in.first);
      },
      test_support::message_on_line(6));
}

}  // namespace
}  // namespace lyre
