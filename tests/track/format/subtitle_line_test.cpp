#include "track/format/subtitle_line.h"

#include <gtest/gtest.h>

#include <limits>
#include <string_view>
#include <vector>

namespace lyre {
namespace {

struct Accepted {
  std::string_view line;
  Subtitle expected;
};

TEST(ParseSubtitleLine, ReadsTheBeatThenTheText) {
  const std::vector<Accepted> cases = {
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
  for (const Accepted& c : cases) {
    SCOPED_TRACE(c.line);
    auto subtitle = parse_subtitle_line(c.line, 3);
    ASSERT_TRUE(subtitle.has_value()) << subtitle.error().text();
    EXPECT_EQ(*subtitle, c.expected);
  }
}

struct Rejected {
  std::string_view line;
  std::string_view text;
};

TEST(ParseSubtitleLine, RejectsABeatThatIsNotANumber) {
  const std::vector<Rejected> cases = {
      {"soon hello", "line 3: invalid number for subtitle beat: 'soon'"},
      {"x", "line 3: invalid number for subtitle beat: 'x'"},
      {"1,5 x", "line 3: invalid number for subtitle beat: '1,5'"},
      {"4.0.0 x", "line 3: invalid number for subtitle beat: '4.0.0'"},
      {"\"4\" x", "line 3: invalid number for subtitle beat: '\"4\"'"},
      {"", "line 3: invalid number for subtitle beat: ''"},
  };
  for (const Rejected& c : cases) {
    SCOPED_TRACE(c.line);
    auto subtitle = parse_subtitle_line(c.line, 3);
    ASSERT_FALSE(subtitle.has_value());
    EXPECT_EQ(subtitle.error().text(), c.text);
  }
}

}  // namespace
}  // namespace lyre
