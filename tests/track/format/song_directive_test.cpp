#include "track/format/song_directive.h"

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
// The directive word, then the words after it.
using Row = test_support::Row<std::pair<std::string_view, std::string_view>, SongDirective>;

constexpr std::size_t kLine = 5;
constexpr float kInf = std::numeric_limits<float>::infinity();

JumpAt jump_at(std::variant<float, std::string> at, Jump jump) {
  return JumpAt{std::move(jump), std::move(at)};
}

auto read_directive(std::pair<std::string_view, std::string_view> in) {
  return parse_song_directive(in.first, in.second, kLine);
}

TEST(ParseSongDirective, ReadsEachDirective) {
  const std::vector<Row> rows = {
      {{"tempo", "90"}, {SongDirective::Tempo{90.0f, 1.0f}}},
      {{"tempo", "90 120"}, {SongDirective::Tempo{90.0f, 120.0f / 90.0f}}},
      {{"tempo", "90 120 x"}, {SongDirective::Tempo{90.0f, 120.0f / 90.0f}}},
      {{"tempo", "90 -0"}, {SongDirective::Tempo{90.0f, 0.0f}}},
      // The end of a ramp from a tempo that is not positive is not read.
      {{"tempo", "0 120"}, {SongDirective::Tempo{0.0f, 1.0f}}},
      {{"tempo", "0 fast"}, {SongDirective::Tempo{0.0f, 1.0f}}},
      {{"tempo", "-0 fast"}, {SongDirective::Tempo{0.0f, 1.0f}}},
      {{"tempo", "-5 fast"}, {SongDirective::Tempo{-5.0f, 1.0f}}},
      {{"tempo", "1e-50 fast"}, {SongDirective::Tempo{0.0f, 1.0f}}},
      {{"tempo", "1e40"}, {SongDirective::Tempo{kInf, 1.0f}}},
      {{"tempo", "param speed"}, {TempoParam{"speed", 1.0f}}},
      {{"tempo", "param speed 2"}, {TempoParam{"speed", 2.0f}}},
      {{"tempo", "param speed 2 junk"}, {TempoParam{"speed", 2.0f}}},
      {{"tempo", "param speed\t2"}, {TempoParam{"speed", 2.0f}}},
      {{"tempo", "param param"}, {TempoParam{"param", 1.0f}}},
      {{"length", "16"}, {SongDirective::Length{16.0f}}},
      {{"length", "-1"}, {SongDirective::Length{-1.0f}}},
      {{"length", "1e40"}, {SongDirective::Length{kInf}}},
      {{"signature", "3"}, {Signature{3, 4}}},
      {{"signature", "6 8"}, {Signature{6, 8}}},
      {{"signature", "+7 +8"}, {Signature{7, 8}}},
      {{"signature", "4294967295 4294967295"}, {Signature{4294967295u, 4294967295u}}},
      {{"jump", "chorus"}, {Jump{.target = "chorus"}}},
      {{"jump", "chorus 4 tempo 140"},
       {Jump{.target = "chorus", .skip = 4.0f, .tempo = AbsoluteTempo{140.0f}}}},
      {{"jump", "tempo tempo 2"}, {Jump{.target = "tempo", .tempo = AbsoluteTempo{2.0f}}}},
      {{"jump-at", "8 chorus"}, {jump_at(8.0f, {.target = "chorus"})}},
      {{"jump-at", "-0.5 chorus"}, {jump_at(-0.5f, {.target = "chorus"})}},
      {{"jump-at", "inf chorus"}, {jump_at(kInf, {.target = "chorus"})}},
      {{"jump-at", "verse chorus"}, {jump_at("verse", {.target = "chorus"})}},
      {{"jump-at", "1,5 chorus"}, {jump_at("1,5", {.target = "chorus"})}},
      {{"jump-at", "8 chorus 2 via a sound b"},
       {jump_at(8.0f, {.target = "chorus", .skip = 2.0f, .transition = JumpTransition{"a", "b"}})}},
      {{"marker", "16 chorus"}, {SongDirective::Marker{"chorus", 16.0f}}},
      {{"marker", "16 chorus extra"}, {SongDirective::Marker{"chorus", 16.0f}}},
      {{"marker", "-1e3 intro"}, {SongDirective::Marker{"intro", -1000.0f}}},
      {{"marker", "0 x1"}, {SongDirective::Marker{"x1", 0.0f}}},
      {{"marker", "0 e5"}, {SongDirective::Marker{"e5", 0.0f}}},
      {{"marker", "0 ."}, {SongDirective::Marker{".", 0.0f}}},
      {{"marker", "0 1,5"}, {SongDirective::Marker{"1,5", 0.0f}}},
      {{"marker", "0 infinite"}, {SongDirective::Marker{"infinite", 0.0f}}},
      {{"param", "gain"}, {SongDirective::Param{"gain", 0.0f}}},
      {{"param", "gain 0.5"}, {SongDirective::Param{"gain", 0.5f}}},
      {{"param", "x -inf"}, {SongDirective::Param{"x", -kInf}}},
      {{"seed", "0"}, {SongDirective::Seed{0}}},
      {{"seed", "42"}, {SongDirective::Seed{42}}},
      {{"seed", "+42"}, {SongDirective::Seed{42}}},
      {{"seed", "007"}, {SongDirective::Seed{7}}},
      {{"seed", "4294967295"}, {SongDirective::Seed{4294967295u}}},
      {{"import", ""}, {SongDirective::Import{}}},
      {{"import", "std:drums"}, {SongDirective::Import{}}},
      {{"import", "x as y"}, {SongDirective::Import{}}},
  };
  test_support::expect_rows(rows, read_directive);
}

TEST(ParseSongDirective, KeepsNotANumberAsRead) {
  auto length = parse_song_directive("length", "nan", kLine);
  ASSERT_TRUE(length.has_value());
  EXPECT_TRUE(std::isnan(std::get<SongDirective::Length>(length->kind).beats));

  // NaN is not greater than 0, so the end word is not read.
  auto tempo = parse_song_directive("tempo", "nan fast", kLine);
  ASSERT_TRUE(tempo.has_value());
  const auto& value = std::get<SongDirective::Tempo>(tempo->kind);
  EXPECT_TRUE(std::isnan(value.tempo));
  EXPECT_EQ(value.ramp, 1.0f);
}

std::string number_name(std::string_view name) {
  return "marker name '" + std::string(name) +
         "' is a number, which a jump target could not tell apart from a beat";
}

TEST(ParseSongDirective, ReportsTheFirstMissingOrBadWord) {
  const std::vector<Row> rows = {
      {{"", "tempo 90"}, Fails{"unknown global directive ''"}},
      {{"loop", "4"}, Fails{"unknown global directive 'loop'"}},
      {{"Tempo", "90"}, Fails{"unknown global directive 'Tempo'"}},
      {{"layer", "x"}, Fails{"unknown global directive 'layer'"}},
      {{"layers", "x"}, Fails{"unknown global directive 'layers'"}},
      {{"Import", "x"}, Fails{"unknown global directive 'Import'"}},
      {{"jump_at", "8 x"}, Fails{"unknown global directive 'jump_at'"}},
      {{"tempo", ""}, Fails{"@tempo needs a value or 'param <name>'"}},
      {{"tempo", "fast"}, Fails{"invalid number for tempo: 'fast'"}},
      {{"tempo", "Param speed"}, Fails{"invalid number for tempo: 'Param'"}},
      {{"tempo", "90 fast"}, Fails{"invalid number for end tempo: 'fast'"}},
      {{"tempo", "param"}, Fails{"@tempo param needs a parameter name"}},
      {{"tempo", "param speed x"}, Fails{"invalid number for tempo scale: 'x'"}},
      {{"length", ""}, Fails{"invalid number for length: ''"}},
      {{"length", "16 beats"}, Fails{"invalid number for length: '16 beats'"}},
      {{"length", "1,5"}, Fails{"invalid number for length: '1,5'"}},
      {{"signature", ""}, Fails{"@signature needs <beats_per_bar> [beat_unit]"}},
      {{"signature", "6 8 x"}, Fails{"@signature takes only <beats_per_bar> [beat_unit]"}},
      {{"signature", "6 8 8"}, Fails{"@signature takes only <beats_per_bar> [beat_unit]"}},
      {{"signature", "x 8 9"}, Fails{"invalid positive integer for beats_per_bar: 'x'"}},
      {{"signature", "4 x 9"}, Fails{"invalid positive integer for beat_unit: 'x'"}},
      {{"signature", "0 0"}, Fails{"invalid positive integer for beats_per_bar: '0'"}},
      {{"signature", "4 0"}, Fails{"invalid positive integer for beat_unit: '0'"}},
      {{"signature", "-1"}, Fails{"invalid positive integer for beats_per_bar: '-1'"}},
      {{"signature", "3.0"}, Fails{"invalid positive integer for beats_per_bar: '3.0'"}},
      {{"signature", "4294967296"},
       Fails{"invalid positive integer for beats_per_bar: '4294967296'"}},
      {{"signature", "4 4294967296"},
       Fails{"invalid positive integer for beat_unit: '4294967296'"}},
      {{"jump", ""}, Fails{"@jump needs a target"}},
      {{"jump", "chorus soon"}, Fails{"invalid number for jump skip: 'soon'"}},
      {{"jump", "chorus tempo"}, Fails{"jump 'tempo' needs a value"}},
      {{"jump-at", ""}, Fails{"@jump-at needs a beat or marker name"}},
      {{"jump-at", "8"}, Fails{"@jump-at needs a target"}},
      {{"jump-at", "verse"}, Fails{"@jump-at needs a target"}},
      {{"jump-at", "8 chorus soon"}, Fails{"invalid number for jump-at skip: 'soon'"}},
      {{"jump-at", "8 chorus via"}, Fails{"jump-at 'via' needs a motif name"}},
      {{"marker", ""}, Fails{"@marker needs a beat"}},
      {{"marker", "chorus 16"}, Fails{"invalid number for marker beat: 'chorus'"}},
      {{"marker", "chorus"}, Fails{"invalid number for marker beat: 'chorus'"}},
      {{"marker", "16"}, Fails{"@marker needs a name"}},
      {{"marker", "16 24"}, Fails{number_name("24")}},
      {{"marker", "16 inf"}, Fails{number_name("inf")}},
      {{"marker", "16 NaN"}, Fails{number_name("NaN")}},
      {{"marker", "16 -Infinity"}, Fails{number_name("-Infinity")}},
      {{"marker", "16 -1e3"}, Fails{number_name("-1e3")}},
      {{"marker", "16 +.5"}, Fails{number_name("+.5")}},
      {{"marker", "16 5."}, Fails{number_name("5.")}},
      {{"param", ""}, Fails{"@param needs a name"}},
      {{"param", "gain 1 2"}, Fails{"@param takes only <name> [default]"}},
      {{"param", "gain x"}, Fails{"invalid number for param default: 'x'"}},
      {{"param", "gain x 2"}, Fails{"invalid number for param default: 'x'"}},
      {{"seed", ""}, Fails{"invalid seed ''"}},
      {{"seed", "-1"}, Fails{"invalid seed '-1'"}},
      {{"seed", "+"}, Fails{"invalid seed '+'"}},
      {{"seed", "4294967296"}, Fails{"invalid seed '4294967296'"}},
      {{"seed", "99999999999999999999"}, Fails{"invalid seed '99999999999999999999'"}},
      {{"seed", "1 2"}, Fails{"invalid seed '1 2'"}},
      {{"seed", "1.0"}, Fails{"invalid seed '1.0'"}},
      {{"seed", "0x10"}, Fails{"invalid seed '0x10'"}},
  };
  test_support::expect_rows(rows, read_directive, test_support::message_on_line(kLine));
}

}  // namespace
}  // namespace lyre
