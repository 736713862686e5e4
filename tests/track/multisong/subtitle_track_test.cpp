#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "lyre/docformat/parse_error.h"
#include "lyre/song/subtitle.h"

namespace lyre {
namespace {

using Body = std::vector<std::string_view>;

struct Accepted {
  std::string_view name;
  Body body;
  std::vector<Subtitle> expected;
};

TEST(SubtitleTrackParse, ReadsAndSortsTheLines) {
  const std::vector<Accepted> cases = {
      {"empty body", {}, {}},
      {"blank lines only", {"  ", "", "\u3000"}, {}},
      {"lines are trimmed", {"  4  indented  "}, {{"indented", 4.0f}}},
      {"sorted by beat, ties in line order",
       {"8 c", "2 a", "", "2 b"},
       {{"a", 2.0f}, {"b", 2.0f}, {"c", 8.0f}}},
      {"negative zero before zero", {"0 p", "-0 m"}, {{"m", -0.0f}, {"p", 0.0f}}},
  };
  for (const Accepted& c : cases) {
    SCOPED_TRACE(c.name);
    auto track = SubtitleTrack::parse(c.body);
    ASSERT_TRUE(track.has_value()) << track.error().text();
    EXPECT_EQ(track->subtitles, c.expected);
  }
}

TEST(SubtitleTrackParse, SortsUnderTheTotalOrderOfFloats) {
  const Body body = {"nan pn", "1 one", "-inf ni", "0 pz", "-nan nn", "inf pi", "-0 nz"};
  auto track = SubtitleTrack::parse(body);
  ASSERT_TRUE(track.has_value()) << track.error().text();
  std::vector<std::string> texts;
  for (const Subtitle& subtitle : track->subtitles) texts.push_back(subtitle.text);
  EXPECT_EQ(texts, (std::vector<std::string>{"nn", "ni", "nz", "pz", "one", "pi", "pn"}));
}

struct Rejected {
  Body body;
  std::string_view text;
};

TEST(SubtitleTrackParse, ReportsTheBodyLineOnly) {
  const std::vector<Rejected> cases = {
      {{"soon hello"}, "line 1: invalid number for subtitle beat: 'soon'"},
      {{"4 hi", "", "x y"}, "line 3: invalid number for subtitle beat: 'x'"},
      {{"4 hi", "\u00a0\u2003", "5 ok", "y z"}, "line 4: invalid number for subtitle beat: 'y'"},
      {{"bad line", "worse line"}, "line 1: invalid number for subtitle beat: 'bad'"},
  };
  for (const Rejected& c : cases) {
    SCOPED_TRACE(c.text);
    auto track = SubtitleTrack::parse(c.body);
    ASSERT_FALSE(track.has_value());
    EXPECT_EQ(track.error().text(), c.text);
    EXPECT_EQ(track.error().located({}, 21).text(), c.text);
  }
}

}  // namespace
}  // namespace lyre
