#include "lyre/track/multisong/song.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "docformat/text.h"
#include "lyre/docformat/parse_error.h"
#include "table_runner_test_support.h"
#include "track/line_error_test_support.h"

namespace lyre {
namespace {

using test_support::Fails;
using Body = std::vector<std::string_view>;
using Row = test_support::Row<Body, Song>;

JumpAt jump_at(std::variant<float, std::string> at, Jump jump) {
  return JumpAt{std::move(jump), std::move(at)};
}

TEST(SongParse, AppliesEachLineInOrder) {
  const std::vector<Row> rows = {
      {"empty body", {}, {}},
      {"blank lines only", {"", "  ", "\t", "\u3000"}, {}},
      {"tempo ramp", {"@tempo 90 120"}, {.tempo = 90.0f, .tempo_ramp = 120.0f / 90.0f}},
      {"later tempo replaces ramp", {"@tempo 90 120", "@tempo 80"}, {.tempo = 80.0f}},
      {"tempo clears tempo param", {"@tempo param speed", "@tempo 90"}, {.tempo = 90.0f}},
      {"tempo param keeps tempo",
       {"@tempo 90 180", "@tempo param speed 2"},
       {.tempo = 90.0f, .tempo_ramp = 2.0f, .tempo_param = TempoParam{"speed", 2.0f}}},
      {"later tempo param replaces",
       {"@tempo param a", "@tempo param b 3"},
       {.tempo_param = TempoParam{"b", 3.0f}}},
      {"signature with default unit", {"@signature 3"}, {.signature = {3, 4}}},
      {"later signature replaces", {"@signature 6 8", "@signature 7"}, {.signature = {7, 4}}},
      {"later length replaces", {"@length 64", "@length 32"}, {.length = 32.0f}},
      {"later seed replaces", {"@seed 42", "@seed 0"}, {.seed = 0u}},
      {"params by name, later default wins",
       {"@param gain 0.5", "@param gain 1", "@param alpha"},
       {.params = {{"alpha", 0.0f}, {"gain", 1.0f}}}},
      {"param names are case-sensitive",
       {"@param gain 1", "@param Gain 2"},
       {.params = {{"Gain", 2.0f}, {"gain", 1.0f}}}},
      {"layers in line order, repeats kept",
       {"@layer b", "@layer a", "@layer b"},
       {.layers = {"b", "a", "b"}}},
      {"layer name keeps inner blanks", {"@layer  drums   main  "}, {.layers = {"drums   main"}}},
      {"layer alone adds an empty name", {"@layer"}, {.layers = {""}}},
      {"layer after a non-breaking space", {"@layer\u00a0x y"}, {.layers = {"x y"}}},
      {"indentation is trimmed",
       {"  @tempo 90  ", "\t@signature 6 8"},
       {.tempo = 90.0f, .signature = {6, 8}}},
      {"jumps and jump-ats in line order",
       {"@jump chorus 4", "@jump-at verse chorus", "@jump intro", "@jump-at 8 bridge"},
       {.jumps = {{.target = "chorus", .skip = 4.0f}, {.target = "intro"}},
        .jump_ats = {jump_at("verse", {.target = "chorus"}), jump_at(8.0f, {.target = "bridge"})}}},
      {"markers sorted by beat",
       {"@marker 32 c", "@marker 0 a", "@marker 16 b"},
       {.markers = {{"a", 0.0f}, {"b", 16.0f}, {"c", 32.0f}}}},
      {"markers with equal beats keep line order",
       {"@marker 8 x", "@marker 8 y", "@marker 2 z", "@marker 8 w"},
       {.markers = {{"z", 2.0f}, {"x", 8.0f}, {"y", 8.0f}, {"w", 8.0f}}}},
      {"negative zero before zero",
       {"@marker 0 p", "@marker -0 m"},
       {.markers = {{"m", -0.0f}, {"p", 0.0f}}}},
      {"marker names are case-sensitive",
       {"@marker 1 a", "@marker 0 A"},
       {.markers = {{"A", 0.0f}, {"a", 1.0f}}}},
  };
  test_support::expect_rows(rows, [](const Body& body) { return Song::parse(body); });
}

TEST(SongParse, SortsMarkersUnderTheTotalOrderOfFloats) {
  const Body body = {"@marker nan pn",  "@marker 1 one",  "@marker -inf ni", "@marker 0 pz",
                     "@marker -nan nn", "@marker inf pi", "@marker -0 nz",   "@marker -1 minus"};
  auto song = Song::parse(body);
  ASSERT_TRUE(song.has_value()) << song.error().text();
  std::vector<std::string> names;
  for (const Marker& marker : song->markers) names.push_back(marker.name);
  EXPECT_EQ(names, (std::vector<std::string>{"nn", "ni", "minus", "nz", "pz", "one", "pi", "pn"}));
}

TEST(SongParse, ReportsTheFirstBadLineWithinTheBody) {
  const std::vector<Row> rows = {
      {{"tempo 120"}, Fails{"line 1: expected an '@' directive, got 'tempo'"}},
      {{"", "", "tempo 120"}, Fails{"line 3: expected an '@' directive, got 'tempo'"}},
      {{"layer\u00a0x"}, Fails{"line 1: expected an '@' directive, got 'layer'"}},
      {{"x"}, Fails{"line 1: expected an '@' directive, got 'x'"}},
      {{"@tempo 90", "", "@tempo fast"}, Fails{"line 3: invalid number for tempo: 'fast'"}},
      {{"@Layer x"}, Fails{"line 1: unknown global directive 'Layer'"}},
      {{"@ tempo 90"}, Fails{"line 1: unknown global directive ''"}},
      {{"@"}, Fails{"line 1: unknown global directive ''"}},
      {{"@layerx"}, Fails{"line 1: unknown global directive 'layerx'"}},
      {{"@layers x"}, Fails{"line 1: unknown global directive 'layers'"}},
      {{"@length   16 beats"}, Fails{"line 1: invalid number for length: '16 beats'"}},
      {{"@seed x", "@tempo y"}, Fails{"line 1: invalid seed 'x'"}},
      {{"@marker 0 chorus", "@marker 8 verse", "@marker 16 chorus"},
       Fails{"line 3: marker 'chorus' is defined twice in this song"}},
      {{"@import std:drums"},
       Fails{"line 1: '@import' belongs in the document header, not inside a song"}},
      {{"@import"}, Fails{"line 1: '@import' belongs in the document header, not inside a song"}},
      {{"@tempo 90", "@import x as y"},
       Fails{"line 2: '@import' belongs in the document header, not inside a song"}},
      {{"@jump chorus if plays > 1.5"},
       Fails{"line 1: plays condition needs a whole number, got '1.5'"}},
  };
  test_support::expect_rows(
      rows, [](const Body& body) { return Song::parse(body); }, test_support::body_line_error);
}

TEST(SongParse, ReadsManyMarkers) {
  constexpr int kCount = 100'000;
  std::vector<std::string> texts;
  texts.reserve(kCount);
  for (int i = 0; i < kCount; ++i) {
    texts.push_back(cat("@marker ", std::to_string(kCount - i), " m", std::to_string(i)));
  }
  const Body body(texts.begin(), texts.end());
  auto song = Song::parse(body);
  ASSERT_TRUE(song.has_value()) << song.error().text();
  ASSERT_EQ(song->markers.size(), static_cast<std::size_t>(kCount));
  for (int i = 0; i < kCount; ++i) {
    ASSERT_EQ(song->markers[i],
              (Marker{cat("m", std::to_string(kCount - 1 - i)), static_cast<float>(i + 1)}));
  }
}

struct Renaming {
  std::string_view name;
  docformat::RenameMap map;
  Body expected;
};

TEST(SongRenameReferences, RewritesLayersJumpTargetsAndTransitions) {
  const Body body = {
      "@layer drums",
      "@layer pad",
      "@tempo param drums",
      "@param drums 1",
      "@marker 0 drums",
      "@jump drums 1 via drums sound drums if drums > 1",
      "@jump-at drums drums via riser sound pad",
      "@jump-at 4 pad",
  };
  const std::vector<Renaming> cases = {
      {"empty map", {}, body},
      {"unrelated names", {{"kick", "kit::kick"}}, body},
      {"one name everywhere it is a reference",
       {{"drums", "kit::drums"}},
       {
           "@layer kit::drums",
           "@layer pad",
           "@tempo param drums",
           "@param drums 1",
           "@marker 0 drums",
           "@jump kit::drums 1 via kit::drums sound kit::drums if drums > 1",
           "@jump-at drums kit::drums via riser sound pad",
           "@jump-at 4 pad",
       }},
      {"each name mapped once",
       {{"riser", "pad"}, {"pad", "fx::pad"}},
       {
           "@layer drums",
           "@layer fx::pad",
           "@tempo param drums",
           "@param drums 1",
           "@marker 0 drums",
           "@jump drums 1 via drums sound drums if drums > 1",
           "@jump-at drums drums via pad sound fx::pad",
           "@jump-at 4 fx::pad",
       }},
  };
  for (const Renaming& c : cases) {
    SCOPED_TRACE(c.name);
    auto song = Song::parse(body);
    auto expected = Song::parse(c.expected);
    ASSERT_TRUE(song.has_value() && expected.has_value());
    song->rename_references(c.map);
    EXPECT_EQ(*song, *expected);
  }
}

}  // namespace
}  // namespace lyre
