#include "track/format/jump_clauses.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace lyre {
namespace {

constexpr std::size_t kLine = 7;

JumpCondition condition(ConditionSource::Kind kind, Comparison comparison, float value,
                        std::string param = {}) {
  return JumpCondition{ConditionSource{kind, std::move(param)}, comparison, value};
}

JumpCondition plays(Comparison comparison, float value) {
  return condition(ConditionSource::Kind::plays, comparison, value);
}

struct Accepted {
  std::string_view words;
  Jump expected;
};

TEST(ParseJumpClauses, ReadsTheClausesInOrder) {
  const std::vector<Accepted> cases = {
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
  for (const Accepted& c : cases) {
    SCOPED_TRACE(c.words);
    Tokens words(c.words);
    auto jump = parse_jump_clauses(words, kLine, "jump", "chorus");
    ASSERT_TRUE(jump.has_value()) << jump.error().text();
    EXPECT_EQ(*jump, c.expected);
  }
}

struct Rejected {
  std::string_view label;
  std::string_view words;
  std::string_view message;
};

TEST(ParseJumpClauses, ReportsTheFirstBadWord) {
  const std::vector<Rejected> cases = {
      {"jump", "soon", "line 7: invalid number for jump skip: 'soon'"},
      {"jump-at", "soon", "line 7: invalid number for jump-at skip: 'soon'"},
      {"jump", "Tempo 2", "line 7: invalid number for jump skip: 'Tempo'"},
      {"jump", "If plays > 1", "line 7: invalid number for jump skip: 'If'"},
      {"jump", "Via a sound b", "line 7: invalid number for jump skip: 'Via'"},
      {"jump", "4 5", "line 7: expected 'if', got '5'"},
      {"jump", "tempo", "line 7: jump 'tempo' needs a value"},
      {"jump-at", "tempo", "line 7: jump-at 'tempo' needs a value"},
      {"jump", "4 tempo", "line 7: jump 'tempo' needs a value"},
      {"jump", "tempo x1.5", "line 7: invalid number for jump tempo: 'x1.5'"},
      {"jump-at", "tempo fast", "line 7: invalid number for jump tempo: 'fast'"},
      {"jump", "tempo via", "line 7: invalid number for jump tempo: 'via'"},
      {"jump", "tempo *", "line 7: invalid number for jump tempo carry factor: ''"},
      {"jump-at", "tempo ×", "line 7: invalid number for jump tempo carry factor: ''"},
      {"jump", "tempo ×x", "line 7: invalid number for jump tempo carry factor: 'x'"},
      {"jump", "tempo **2", "line 7: invalid number for jump tempo carry factor: '*2'"},
      {"jump", "tempo 2 tempo 3", "line 7: expected 'if', got 'tempo'"},
      {"jump", "via", "line 7: jump 'via' needs a motif name"},
      {"jump-at", "via", "line 7: jump-at 'via' needs a motif name"},
      {"jump", "via riser", "line 7: jump 'via' needs 'sound <name>'"},
      {"jump-at", "via riser", "line 7: jump-at 'via' needs 'sound <name>'"},
      {"jump", "via riser pad", "line 7: expected 'sound', got 'pad'"},
      {"jump", "via riser Sound pad", "line 7: expected 'sound', got 'Sound'"},
      {"jump", "via riser sound", "line 7: jump 'via sound' needs a sound name"},
      {"jump-at", "via riser sound", "line 7: jump-at 'via sound' needs a sound name"},
      {"jump", "via riser sound pad tempo 2", "line 7: expected 'if', got 'tempo'"},
      {"jump", "via a sound b via c sound d", "line 7: expected 'if', got 'via'"},
      {"jump", "via a sound b 4", "line 7: expected 'if', got '4'"},
      {"jump", "if", "line 7: condition needs a source"},
      {"jump", "tempo 2 if", "line 7: condition needs a source"},
      {"jump", "if plays", "line 7: condition needs a comparison"},
      {"jump", "if if", "line 7: condition needs a comparison"},
      {"jump", "if plays =", "line 7: unknown comparison '='"},
      {"jump", "if plays ===", "line 7: unknown comparison '==='"},
      {"jump", "if plays lt 2", "line 7: unknown comparison 'lt'"},
      {"jump", "if plays ! 2", "line 7: unknown comparison '!'"},
      {"jump", "if plays =< 2", "line 7: unknown comparison '=<'"},
      {"jump", "if x = 1 extra", "line 7: unknown comparison '='"},
      {"jump", "if plays >", "line 7: condition needs a value"},
      {"jump", "if plays > 1.5", "line 7: plays condition needs a whole number, got '1.5'"},
      {"jump", "if plays > 1.5 extra", "line 7: plays condition needs a whole number, got '1.5'"},
      {"jump", "if plays > -1", "line 7: plays condition needs a whole number, got '-1'"},
      {"jump", "if plays > +", "line 7: plays condition needs a whole number, got '+'"},
      {"jump", "if plays > 4294967296",
       "line 7: plays condition needs a whole number, got '4294967296'"},
      {"jump", "if random < x", "line 7: invalid number for condition value: 'x'"},
      {"jump", "if Plays > x", "line 7: invalid number for condition value: 'x'"},
      {"jump-at", "if level >= 1,5", "line 7: invalid number for condition value: '1,5'"},
      {"jump", "if intensity > 0.5 now", "line 7: extra tokens after condition"},
      {"jump", "if plays > 1 2", "line 7: extra tokens after condition"},
  };
  for (const Rejected& c : cases) {
    SCOPED_TRACE(c.words);
    Tokens words(c.words);
    auto jump = parse_jump_clauses(words, kLine, c.label, "chorus");
    ASSERT_FALSE(jump.has_value());
    EXPECT_EQ(jump.error().text(), c.message);
  }
}

}  // namespace
}  // namespace lyre
