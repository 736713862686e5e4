#include "track/format/sounds/effect.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <string>

#include "docformat/text.h"
#include "song/clamp.h"
#include "track/format/directive_table.h"

namespace lyre {

namespace {

using Result = std::expected<Effect, ParseError>;

ParseError missing(std::string_view effect, std::string_view label, std::size_t line) {
  return ParseError::line(line, cat("effect '", effect, "' missing ", label), effect);
}

// An optional trailing parameter: `fallback` when no token is left, raised to
// at least `bound` (every fallback already is).
std::expected<float, ParseError> take_at_least(Tokens& tokens, std::string_view label,
                                               float fallback, float bound, std::size_t line) {
  auto value = parse_optional_float(tokens, line, label, fallback);
  if (!value) return std::unexpected(value.error());
  return at_least(*value, bound);
}

// The numbers `labels` name, in order; the first missing or bad one is the error.
template <std::size_t N>
std::expected<std::array<float, N>, ParseError> take_floats(
    Tokens& tokens, std::string_view effect, std::size_t line,
    const std::array<std::string_view, N>& labels) {
  std::array<float, N> values{};
  for (std::size_t i = 0; i < N; ++i) {
    auto value = take_float(tokens, labels[i], effect, line);
    if (!value) return std::unexpected(value.error());
    values[i] = *value;
  }
  return values;
}

// `lowpass param` / `highpass param`: the parameter name, then max and min cutoff.
template <class Kind>
Result parse_param_filter(Tokens& tokens, std::string_view effect, std::size_t line) {
  auto name = tokens.next();
  if (!name) {
    return std::unexpected(
        ParseError::line(line, cat("effect '", effect, "' needs a parameter name"), effect));
  }
  auto cutoffs = take_floats<2>(tokens, effect, line, {"max cutoff", "min cutoff"});
  if (!cutoffs) return std::unexpected(cutoffs.error());
  auto [max_cutoff, min_cutoff] = *cutoffs;
  return Effect{Kind{max_cutoff, min_cutoff, std::string(*name)}};
}

template <class Plain, class Param>
Result parse_filter(Tokens& tokens, std::string_view word, std::string_view param_name,
                    std::size_t line) {
  auto token = tokens.next();
  if (!token) return std::unexpected(missing(word, "cutoff", line));
  if (*token == "param") return parse_param_filter<Param>(tokens, param_name, line);
  auto cutoff = parse_float(*token, line, "cutoff");
  if (!cutoff) return std::unexpected(cutoff.error());
  return Effect{Plain{*cutoff}};
}

Result parse_echo(Tokens& tokens, std::size_t line) {
  auto values = take_floats<3>(tokens, "echo", line, {"delay", "feedback", "mix"});
  if (!values) return std::unexpected(values.error());
  auto [delay, feedback, mix] = *values;
  return Effect{Effect::Echo{delay, feedback, mix}};
}

Result parse_tremolo(Tokens& tokens, std::size_t line) {
  auto values = take_floats<2>(tokens, "tremolo", line, {"rate", "depth"});
  if (!values) return std::unexpected(values.error());
  auto [rate, depth] = *values;
  return Effect{Effect::Tremolo{rate, depth}};
}

// 1..16 with the fraction cut off; NaN gives 0.
std::uint8_t bit_depth(float value) {
  if (std::isnan(value)) return 0;
  if (value < 1.0f) return 1;
  if (value > 16.0f) return 16;
  return static_cast<std::uint8_t>(value);
}

Result parse_bitcrusher(Tokens& tokens, std::size_t line) {
  auto bits = take_float(tokens, "bits", "bitcrusher", line);
  if (!bits) return std::unexpected(bits.error());
  return Effect{Effect::Bitcrusher{bit_depth(*bits)}};
}

Result parse_compressor(Tokens& tokens, std::size_t line) {
  auto values = take_floats<2>(tokens, "compressor", line, {"threshold", "ratio"});
  if (!values) return std::unexpected(values.error());
  auto [threshold, ratio] = *values;
  auto attack = take_at_least(tokens, "compressor attack", 0.005f, 0.0f, line);
  if (!attack) return std::unexpected(attack.error());
  auto release = take_at_least(tokens, "compressor release", 0.1f, 0.0f, line);
  if (!release) return std::unexpected(release.error());
  return Effect{
      Effect::Compressor{clamp_unit(threshold), at_least(ratio, 1.0f), *attack, *release}};
}

Result parse_eq(Tokens& tokens, std::size_t line) {
  auto gains = take_floats<2>(tokens, "eq", line, {"low_db", "high_db"});
  if (!gains) return std::unexpected(gains.error());
  auto [low_db, high_db] = *gains;
  auto low_freq = take_at_least(tokens, "eq low_freq", 300.0f, 1.0f, line);
  if (!low_freq) return std::unexpected(low_freq.error());
  auto high_freq = take_at_least(tokens, "eq high_freq", 3000.0f, 1.0f, line);
  if (!high_freq) return std::unexpected(high_freq.error());
  return Effect{Effect::Eq{low_db, high_db, *low_freq, *high_freq}};
}

Result parse_delay_sync(Tokens& tokens, std::size_t line) {
  auto values = take_floats<3>(tokens, "delay_sync", line, {"beats", "feedback", "mix"});
  if (!values) return std::unexpected(values.error());
  auto [beats, feedback, mix] = *values;
  return Effect{Effect::DelaySync{at_least(beats, 0.0f), feedback, mix}};
}

// A first token that is not a number names a reverb preset.
Result parse_reverb(Tokens& tokens, std::size_t line, const docformat::LineAt& at) {
  auto first = tokens.next();
  if (!first) return std::unexpected(missing("reverb", "room_size", line));
  if (!is_number(*first)) return Effect{Effect::NamedReverb{std::string(*first), at.of(*first)}};
  auto room_size = parse_float(*first, line, "room_size");
  if (!room_size) return std::unexpected(room_size.error());
  auto values = take_floats<2>(tokens, "reverb", line, {"decay", "mix"});
  if (!values) return std::unexpected(values.error());
  auto [decay, mix] = *values;
  auto predelay = take_at_least(tokens, "reverb predelay", 0.01f, 0.0f, line);
  if (!predelay) return std::unexpected(predelay.error());
  return Effect{
      Effect::Reverb{clamp_unit(*room_size), clamp_unit(decay), clamp_unit(mix), *predelay}};
}

using EffectReader = Result (*)(Tokens& tokens, std::size_t line, const docformat::LineAt& at);

constexpr std::array<Directive<EffectReader>, 9> kEffects = {{
    {"lowpass",
     [](Tokens& tokens, std::size_t line, const docformat::LineAt&) {
       return parse_filter<Effect::Lowpass, Effect::LowpassParam>(tokens, "lowpass",
                                                                  "lowpass param", line);
     }},
    {"highpass",
     [](Tokens& tokens, std::size_t line, const docformat::LineAt&) {
       return parse_filter<Effect::Highpass, Effect::HighpassParam>(tokens, "highpass",
                                                                    "highpass param", line);
     }},
    {"echo", [](Tokens& tokens, std::size_t line,
                const docformat::LineAt&) { return parse_echo(tokens, line); }},
    {"tremolo", [](Tokens& tokens, std::size_t line,
                   const docformat::LineAt&) { return parse_tremolo(tokens, line); }},
    {"bitcrusher", [](Tokens& tokens, std::size_t line,
                      const docformat::LineAt&) { return parse_bitcrusher(tokens, line); }},
    {"compressor", [](Tokens& tokens, std::size_t line,
                      const docformat::LineAt&) { return parse_compressor(tokens, line); }},
    {"eq", [](Tokens& tokens, std::size_t line,
              const docformat::LineAt&) { return parse_eq(tokens, line); }},
    {"delay_sync", [](Tokens& tokens, std::size_t line,
                      const docformat::LineAt&) { return parse_delay_sync(tokens, line); }},
    {"reverb", parse_reverb},
}};
static_assert(distinct_words(kEffects));

}  // namespace

std::expected<float, ParseError> take_float(Tokens& tokens, std::string_view label,
                                            std::string_view effect, std::size_t line) {
  auto token = tokens.next();
  if (!token) return std::unexpected(missing(effect, label, line));
  return parse_float(*token, line, label);
}

std::expected<Effect, ParseError> parse_effect(std::string_view text, std::size_t line,
                                               const docformat::LineAt& at) {
  Tokens tokens(text);
  // A missing type comes before any row; a type no row has comes after.
  auto word = tokens.next();
  if (!word) return std::unexpected(ParseError::line(line, "effect needs a type"));
  if (const EffectReader* read = find_directive(kEffects, *word)) return (*read)(tokens, line, at);
  return std::unexpected(ParseError::line(line, cat("unknown effect '", *word, "'"), *word));
}

}  // namespace lyre
