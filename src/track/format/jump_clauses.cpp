#include "track/format/jump_clauses.h"

#include <cstdint>
#include <limits>
#include <utility>

#include "docformat/text.h"

namespace lyre {

namespace {

constexpr std::string_view kTimes = "\u00d7";

std::optional<Comparison> comparison_word(std::string_view word) {
  if (word == "<") return Comparison::less;
  if (word == "<=") return Comparison::less_equal;
  if (word == ">") return Comparison::greater;
  if (word == ">=") return Comparison::greater_equal;
  if (word == "==") return Comparison::equal;
  if (word == "!=") return Comparison::not_equal;
  return std::nullopt;
}

ConditionSource source_word(std::string_view word) {
  if (word == "plays") return {ConditionSource::Kind::plays, {}};
  if (word == "random") return {ConditionSource::Kind::random, {}};
  return {ConditionSource::Kind::param, std::string(word)};
}

// The words after "tempo".
std::expected<JumpTempo, ParseError> parse_tempo(Tokens& words, std::size_t line,
                                                 std::string_view label) {
  auto value = words.next();
  if (!value) return fail(line, cat(label, " 'tempo' needs a value"));
  std::string_view factor = *value;
  if (factor.starts_with(kTimes) || factor.starts_with('*')) {
    factor.remove_prefix(factor.starts_with('*') ? 1 : kTimes.size());
    auto carry = parse_float(factor, line, "jump tempo carry factor");
    if (!carry) return std::unexpected(carry.error());
    return CarryTempo{*carry};
  }
  auto tempo = parse_float(*value, line, "jump tempo");
  if (!tempo) return std::unexpected(tempo.error());
  return AbsoluteTempo{*tempo};
}

// The words after "via".
std::expected<JumpTransition, ParseError> parse_via(Tokens& words, std::size_t line,
                                                    std::string_view label,
                                                    const docformat::LineAt& at) {
  auto motif = words.next();
  if (!motif) return fail(line, cat(label, " 'via' needs a motif name"));
  auto keyword = words.next();
  if (!keyword) return fail(line, cat(label, " 'via' needs 'sound <name>'"));
  if (*keyword != "sound")
    return fail(line, cat("expected 'sound', got '", *keyword, "'"), *keyword);
  auto sound = words.next();
  if (!sound) return fail(line, cat(label, " 'via sound' needs a sound name"));
  return JumpTransition{std::string(*motif), std::string(*sound), at.of(*motif), at.of(*sound)};
}

// The words after "if"; nothing may follow the value.
std::expected<JumpCondition, ParseError> parse_condition(Tokens& words, std::size_t line) {
  auto source_token = words.next();
  if (!source_token) return fail(line, "condition needs a source");
  ConditionSource source = source_word(*source_token);
  auto comparison_token = words.next();
  if (!comparison_token) return fail(line, "condition needs a comparison");
  auto comparison = comparison_word(*comparison_token);
  if (!comparison)
    return fail(line, cat("unknown comparison '", *comparison_token, "'"), *comparison_token);
  auto value_token = words.next();
  if (!value_token) return fail(line, "condition needs a value");
  float value = 0.0f;
  if (source.kind == ConditionSource::Kind::plays) {
    auto count = read_unsigned(*value_token, std::numeric_limits<std::uint32_t>::max());
    if (!count) {
      return fail(line, cat("plays condition needs a whole number, got '", *value_token, "'"),
                  *value_token);
    }
    value = static_cast<float>(*count);
  } else {
    auto number = parse_float(*value_token, line, "condition value");
    if (!number) return std::unexpected(number.error());
    value = *number;
  }
  if (!words.empty()) return fail(line, "extra tokens after condition");
  return JumpCondition{std::move(source), *comparison, value};
}

}  // namespace

std::expected<Jump, ParseError> parse_jump_clauses(Tokens& words, std::size_t line,
                                                   std::string_view label, std::string_view target,
                                                   const docformat::LineAt& at) {
  Jump jump;
  jump.target = std::string(target);
  jump.target_at = at.of(target);
  auto word = words.peek();
  if (word && *word != "tempo" && *word != "via" && *word != "if") {
    words.next();
    auto skip = read_float(*word);
    if (!skip) return std::unexpected(invalid_number(*word, line, cat(label, " skip")));
    jump.skip = *skip;
    word = words.peek();
  }
  if (word == "tempo") {
    words.next();
    auto tempo = parse_tempo(words, line, label);
    if (!tempo) return std::unexpected(tempo.error());
    jump.tempo = *tempo;
    word = words.peek();
  }
  if (word == "via") {
    words.next();
    auto transition = parse_via(words, line, label, at);
    if (!transition) return std::unexpected(transition.error());
    jump.transition = std::move(*transition);
    word = words.peek();
  }
  if (!word) return jump;
  if (*word != "if") return fail(line, cat("expected 'if', got '", *word, "'"), *word);
  words.next();
  auto condition = parse_condition(words, line);
  if (!condition) return std::unexpected(condition.error());
  jump.condition = std::move(*condition);
  return jump;
}

}  // namespace lyre
