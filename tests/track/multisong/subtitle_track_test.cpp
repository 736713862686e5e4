#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "lyre/docformat/parse_error.h"
#include "lyre/song/subtitle.h"
#include "table_runner_test_support.h"
#include "track/line_error_test_support.h"

namespace lyre {
namespace {

using test_support::Fails;
using Body = std::vector<std::string_view>;
using Row = test_support::Row<Body, std::vector<Subtitle>>;

std::expected<std::vector<Subtitle>, docformat::ParseError> read_subtitles(const Body& body) {
  return test_support::transform(SubtitleTrack::parse(body),
                                 [](SubtitleTrack& track) { return track.subtitles; });
}

TEST(SubtitleTrackParse, ReadsAndSortsTheLines) {
  const std::vector<Row> rows = {
      {"empty body", {}, {}},
      {"blank lines only", {"  ", "", "\u3000"}, {}},
      {"lines are trimmed", {"  4  indented  "}, {{"indented", 4.0f}}},
      {"sorted by beat, ties in line order",
       {"8 c", "2 a", "", "2 b"},
       {{"a", 2.0f}, {"b", 2.0f}, {"c", 8.0f}}},
      {"negative zero before zero", {"0 p", "-0 m"}, {{"m", -0.0f}, {"p", 0.0f}}},
  };
  test_support::expect_rows(rows, read_subtitles);
}

TEST(SubtitleTrackParse, SortsUnderTheTotalOrderOfFloats) {
  const Body body = {"nan pn", "1 one", "-inf ni", "0 pz", "-nan nn", "inf pi", "-0 nz"};
  auto track = SubtitleTrack::parse(body);
  ASSERT_TRUE(track.has_value()) << track.error().text();
  std::vector<std::string> texts;
  for (const Subtitle& subtitle : track->subtitles) texts.push_back(subtitle.text);
  EXPECT_EQ(texts, (std::vector<std::string>{"nn", "ni", "nz", "pz", "one", "pi", "pn"}));
}

TEST(SubtitleTrackParse, ReportsTheBodyLineOnly) {
  const std::vector<Row> rows = {
      {{"soon hello"}, Fails{"line 1: invalid number for subtitle beat: 'soon'"}},
      {{"4 hi", "", "x y"}, Fails{"line 3: invalid number for subtitle beat: 'x'"}},
      {{"4 hi", "\u00a0\u2003", "5 ok", "y z"},
       Fails{"line 4: invalid number for subtitle beat: 'y'"}},
      {{"bad line", "worse line"}, Fails{"line 1: invalid number for subtitle beat: 'bad'"}},
  };
  test_support::expect_rows(rows, read_subtitles, test_support::body_line_error);
}

}  // namespace
}  // namespace lyre
