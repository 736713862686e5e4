#include "track/format/subtitle_line.h"

#include <gtest/gtest.h>

#include <limits>
#include <string_view>
#include <vector>

#include "table_runner_test_support.h"
#include "track/line_error_test_support.h"

namespace lyre {
namespace {

using test_support::Fails;
using Row = test_support::Row<std::string_view, Subtitle>;

auto read_subtitle(std::string_view line) { return parse_subtitle_line(line, 3); }

TEST(ParseSubtitleLine, ReadsTheBeatThenTheText) {
  const std::vector<Row> rows = {
      {"4 Hello   there", {"Hello   there", 4.0f}},
      {"8", {"", 8.0f}},
      {"4\tTabbed text", {"Tabbed text", 4.0f}},
      {"4\u00a0nbsp", {"nbsp", 4.0f}},
      {"4\u3000wide space", {"wide space", 4.0f}},
      {"7   padded", {"padded", 7.0f}},
      {"7 a \u2003", {"a", 7.0f}},
      {"5 \"quoted\" text", {"\"quoted\" text", 5.0f}},
      {"6 @marker x", {"@marker x", 6.0f}},
      {"-1 before", {"before", -1.0f}},
      {"1e3 big", {"big", 1000.0f}},
      {"inf end", {"end", std::numeric_limits<float>::infinity()}},
      {"-0 start", {"start", -0.0f}},
      {".5 half", {"half", 0.5f}},
  };
  test_support::expect_rows(rows, read_subtitle);
}

TEST(ParseSubtitleLine, RejectsABeatThatIsNotANumber) {
  const std::vector<Row> rows = {
      {"soon hello", Fails{"invalid number for subtitle beat: 'soon'"}},
      {"x", Fails{"invalid number for subtitle beat: 'x'"}},
      {"1,5 x", Fails{"invalid number for subtitle beat: '1,5'"}},
      {"4.0.0 x", Fails{"invalid number for subtitle beat: '4.0.0'"}},
      {"\"4\" x", Fails{"invalid number for subtitle beat: '\"4\"'"}},
      {"", Fails{"invalid number for subtitle beat: ''"}},
  };
  test_support::expect_rows(rows, read_subtitle, test_support::message_on_line(3));
}

}  // namespace
}  // namespace lyre
