#include "track/format/jump_clauses.h"

#include <gtest/gtest.h>

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

constexpr std::size_t kLine = 7;

JumpCondition condition(ConditionSource::Kind kind, Comparison comparison, float value,
                        std::string param = {}) {
  return JumpCondition{ConditionSource{kind, std::move(param)}, comparison, value};
}

JumpCondition plays(Comparison comparison, float value) {
  return condition(ConditionSource::Kind::plays, comparison, value);
}

TEST(ParseJumpClauses, ReadsTheClausesInOrder) {
  const std::vector<test_support::Row<std::string_view, Jump>> rows = {
      {"", {.target = "chorus"}},
      {"4", {.target = "chorus", .skip = 4.0f}},
      {"-0.5", {.target = "chorus", .skip = -0.5f}},
      {"1e40", {.target = "chorus", .skip = std::numeric_limits<float>::infinity()}},
      {"tempo 140", {.target = "chorus", .tempo = AbsoluteTempo{140.0f}}},
      {"tempo ×1.5", {.target = "chorus", .tempo = CarryTempo{1.5f}}},
      {"tempo *1.5", {.target = "chorus", .tempo = CarryTempo{1.5f}}},
      {"tempo ×-1", {.target = "chorus", .tempo = CarryTempo{-1.0f}}},
      {"tempo -2", {.target = "chorus", .tempo = AbsoluteTempo{-2.0f}}},
      {"via riser sound pad", {.target = "chorus", .transition = JumpTransition{"riser", "pad"}}},
      {"via sound sound sound",
       {.target = "chorus", .transition = JumpTransition{"sound", "sound"}}},
      {"if plays >= 2", {.target = "chorus", .condition = plays(Comparison::greater_equal, 2.0f)}},
      {"if plays < 1", {.target = "chorus", .condition = plays(Comparison::less, 1.0f)}},
      {"if plays <= 1", {.target = "chorus", .condition = plays(Comparison::less_equal, 1.0f)}},
      {"if plays > 1", {.target = "chorus", .condition = plays(Comparison::greater, 1.0f)}},
      {"if plays == 1", {.target = "chorus", .condition = plays(Comparison::equal, 1.0f)}},
      {"if plays != +3", {.target = "chorus", .condition = plays(Comparison::not_equal, 3.0f)}},
      {"if plays == 0", {.target = "chorus", .condition = plays(Comparison::equal, 0.0f)}},
      {"if plays == 4294967295",
       {.target = "chorus", .condition = plays(Comparison::equal, 4294967295.0f)}},
      {"if random < 0.25",
       {.target = "chorus",
        .condition = condition(ConditionSource::Kind::random, Comparison::less, 0.25f)}},
      {"if intensity > 0.5",
       {.target = "chorus",
        .condition =
            condition(ConditionSource::Kind::param, Comparison::greater, 0.5f, "intensity")}},
      {"if Plays > 1.5",
       {.target = "chorus",
        .condition = condition(ConditionSource::Kind::param, Comparison::greater, 1.5f, "Plays")}},
      {"if if == -1",
       {.target = "chorus",
        .condition = condition(ConditionSource::Kind::param, Comparison::equal, -1.0f, "if")}},
      {"4 tempo ×1.5 via riser sound pad if plays >= 2",
       {.target = "chorus",
        .skip = 4.0f,
        .tempo = CarryTempo{1.5f},
        .transition = JumpTransition{"riser", "pad"},
        .condition = plays(Comparison::greater_equal, 2.0f)}},
      {"tempo 2 if random > 0.5",
       {.target = "chorus",
        .tempo = AbsoluteTempo{2.0f},
        .condition = condition(ConditionSource::Kind::random, Comparison::greater, 0.5f)}},
      {"8 via a sound b",
       {.target = "chorus", .skip = 8.0f, .transition = JumpTransition{"a", "b"}}},
      {"2\u00a0tempo\u3000140", {.target = "chorus", .skip = 2.0f, .tempo = AbsoluteTempo{140.0f}}},
  };
  test_support::expect_rows(rows, [](std::string_view words) {
    Tokens tokens(words);
    return parse_jump_clauses(tokens, kLine, "jump", "chorus");
  });
}

TEST(ParseJumpClauses, ReportsTheFirstBadWord) {
  // The directive's label, then the words after the target.
  using Labelled = std::pair<std::string_view, std::string_view>;
  const std::vector<test_support::Row<Labelled, Jump>> rows = {
      {{"jump", "soon"}, Fails{"invalid number for jump skip: 'soon'"}},
      {{"jump-at", "soon"}, Fails{"invalid number for jump-at skip: 'soon'"}},
      {{"jump", "Tempo 2"}, Fails{"invalid number for jump skip: 'Tempo'"}},
      {{"jump", "If plays > 1"}, Fails{"invalid number for jump skip: 'If'"}},
      {{"jump", "Via a sound b"}, Fails{"invalid number for jump skip: 'Via'"}},
      {{"jump", "4 5"}, Fails{"expected 'if', got '5'"}},
      {{"jump", "tempo"}, Fails{"jump 'tempo' needs a value"}},
      {{"jump-at", "tempo"}, Fails{"jump-at 'tempo' needs a value"}},
      {{"jump", "4 tempo"}, Fails{"jump 'tempo' needs a value"}},
      {{"jump", "tempo x1.5"}, Fails{"invalid number for jump tempo: 'x1.5'"}},
      {{"jump-at", "tempo fast"}, Fails{"invalid number for jump tempo: 'fast'"}},
      {{"jump", "tempo via"}, Fails{"invalid number for jump tempo: 'via'"}},
      {{"jump", "tempo *"}, Fails{"invalid number for jump tempo carry factor: ''"}},
      {{"jump-at", "tempo ×"}, Fails{"invalid number for jump tempo carry factor: ''"}},
      {{"jump", "tempo ×x"}, Fails{"invalid number for jump tempo carry factor: 'x'"}},
      {{"jump", "tempo **2"}, Fails{"invalid number for jump tempo carry factor: '*2'"}},
      {{"jump", "tempo 2 tempo 3"}, Fails{"expected 'if', got 'tempo'"}},
      {{"jump", "via"}, Fails{"jump 'via' needs a motif name"}},
      {{"jump-at", "via"}, Fails{"jump-at 'via' needs a motif name"}},
      {{"jump", "via riser"}, Fails{"jump 'via' needs 'sound <name>'"}},
      {{"jump-at", "via riser"}, Fails{"jump-at 'via' needs 'sound <name>'"}},
      {{"jump", "via riser pad"}, Fails{"expected 'sound', got 'pad'"}},
      {{"jump", "via riser Sound pad"}, Fails{"expected 'sound', got 'Sound'"}},
      {{"jump", "via riser sound"}, Fails{"jump 'via sound' needs a sound name"}},
      {{"jump-at", "via riser sound"}, Fails{"jump-at 'via sound' needs a sound name"}},
      {{"jump", "via riser sound pad tempo 2"}, Fails{"expected 'if', got 'tempo'"}},
      {{"jump", "via a sound b via c sound d"}, Fails{"expected 'if', got 'via'"}},
      {{"jump", "via a sound b 4"}, Fails{"expected 'if', got '4'"}},
      {{"jump", "if"}, Fails{"condition needs a source"}},
      {{"jump", "tempo 2 if"}, Fails{"condition needs a source"}},
      {{"jump", "if plays"}, Fails{"condition needs a comparison"}},
      {{"jump", "if if"}, Fails{"condition needs a comparison"}},
      {{"jump", "if plays ="}, Fails{"unknown comparison '='"}},
      {{"jump", "if plays ==="}, Fails{"unknown comparison '==='"}},
      {{"jump", "if plays lt 2"}, Fails{"unknown comparison 'lt'"}},
      {{"jump", "if plays ! 2"}, Fails{"unknown comparison '!'"}},
      {{"jump", "if plays =< 2"}, Fails{"unknown comparison '=<'"}},
      {{"jump", "if x = 1 extra"}, Fails{"unknown comparison '='"}},
      {{"jump", "if plays >"}, Fails{"condition needs a value"}},
      {{"jump", "if plays > 1.5"}, Fails{"plays condition needs a whole number, got '1.5'"}},
      {{"jump", "if plays > 1.5 extra"}, Fails{"plays condition needs a whole number, got '1.5'"}},
      {{"jump", "if plays > -1"}, Fails{"plays condition needs a whole number, got '-1'"}},
      {{"jump", "if plays > +"}, Fails{"plays condition needs a whole number, got '+'"}},
      {{"jump", "if plays > 4294967296"},
       Fails{"plays condition needs a whole number, got '4294967296'"}},
      {{"jump", "if random < x"}, Fails{"invalid number for condition value: 'x'"}},
      {{"jump", "if Plays > x"}, Fails{"invalid number for condition value: 'x'"}},
      {{"jump-at", "if level >= 1,5"}, Fails{"invalid number for condition value: '1,5'"}},
      {{"jump", "if intensity > 0.5 now"}, Fails{"extra tokens after condition"}},
      {{"jump", "if plays > 1 2"}, Fails{"extra tokens after condition"}},
  };
  test_support::expect_rows(
      rows,
      [](auto in) {
        Tokens tokens(in.second);
        return parse_jump_clauses(tokens, kLine, in.first, "chorus");
      },
      test_support::message_on_line(kLine));
}

}  // namespace
}  // namespace lyre
