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

// An optional trailing parameter: `fallback` when no token is left, else the
// number raised to at least `bound` (the default itself is not clamped).
std::expected<float, ParseError> take_at_least(Tokens& tokens, std::string_view label,
                                               float fallback, float bound, std::size_t line) {
  auto token = tokens.next();
  if (!token) return fallback;
  auto value = parse_float(*token, line, label);
  if (!value) return std::unexpected(value.error());
  return at_least(*value, bound);
}

// `lowpass param` / `highpass param`: the parameter name, then max and min cutoff.
template <class Kind>
Result parse_param_filter(Tokens& tokens, std::string_view effect, std::size_t line) {
  auto name = tokens.next();
  if (!name) {
    return std::unexpected(
        ParseError::line(line, cat("effect '", effect, "' needs a parameter name"), effect));
  }
  auto max_cutoff = take_float(tokens, "max cutoff", effect, line);
  if (!max_cutoff) return std::unexpected(max_cutoff.error());
  auto min_cutoff = take_float(tokens, "min cutoff", effect, line);
  if (!min_cutoff) return std::unexpected(min_cutoff.error());
  return Effect{Kind{*max_cutoff, *min_cutoff, std::string(*name)}};
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
  auto delay = take_float(tokens, "delay", "echo", line);
  if (!delay) return std::unexpected(delay.error());
  auto feedback = take_float(tokens, "feedback", "echo", line);
  if (!feedback) return std::unexpected(feedback.error());
  auto mix = take_float(tokens, "mix", "echo", line);
  if (!mix) return std::unexpected(mix.error());
  return Effect{Effect::Echo{*delay, *feedback, *mix}};
}

Result parse_tremolo(Tokens& tokens, std::size_t line) {
  auto rate = take_float(tokens, "rate", "tremolo", line);
  if (!rate) return std::unexpected(rate.error());
  auto depth = take_float(tokens, "depth", "tremolo", line);
  if (!depth) return std::unexpected(depth.error());
  return Effect{Effect::Tremolo{*rate, *depth}};
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
  auto threshold = take_float(tokens, "threshold", "compressor", line);
  if (!threshold) return std::unexpected(threshold.error());
  auto ratio = take_float(tokens, "ratio", "compressor", line);
  if (!ratio) return std::unexpected(ratio.error());
  auto attack = take_at_least(tokens, "compressor attack", 0.005f, 0.0f, line);
  if (!attack) return std::unexpected(attack.error());
  auto release = take_at_least(tokens, "compressor release", 0.1f, 0.0f, line);
  if (!release) return std::unexpected(release.error());
  return Effect{
      Effect::Compressor{clamp_unit(*threshold), at_least(*ratio, 1.0f), *attack, *release}};
}

Result parse_eq(Tokens& tokens, std::size_t line) {
  auto low_db = take_float(tokens, "low_db", "eq", line);
  if (!low_db) return std::unexpected(low_db.error());
  auto high_db = take_float(tokens, "high_db", "eq", line);
  if (!high_db) return std::unexpected(high_db.error());
  auto low_freq = take_at_least(tokens, "eq low_freq", 300.0f, 1.0f, line);
  if (!low_freq) return std::unexpected(low_freq.error());
  auto high_freq = take_at_least(tokens, "eq high_freq", 3000.0f, 1.0f, line);
  if (!high_freq) return std::unexpected(high_freq.error());
  return Effect{Effect::Eq{*low_db, *high_db, *low_freq, *high_freq}};
}

Result parse_delay_sync(Tokens& tokens, std::size_t line) {
  auto beats = take_float(tokens, "beats", "delay_sync", line);
  if (!beats) return std::unexpected(beats.error());
  auto feedback = take_float(tokens, "feedback", "delay_sync", line);
  if (!feedback) return std::unexpected(feedback.error());
  auto mix = take_float(tokens, "mix", "delay_sync", line);
  if (!mix) return std::unexpected(mix.error());
  return Effect{Effect::DelaySync{at_least(*beats, 0.0f), *feedback, *mix}};
}

// A first token that is not a number names a reverb preset.
Result parse_reverb(Tokens& tokens, std::size_t line, const docformat::LineAt& at) {
  auto first = tokens.next();
  if (!first) return std::unexpected(missing("reverb", "room_size", line));
  if (!is_number(*first)) return Effect{Effect::NamedReverb{std::string(*first), at.of(*first)}};
  auto room_size = parse_float(*first, line, "room_size");
  if (!room_size) return std::unexpected(room_size.error());
  auto decay = take_float(tokens, "decay", "reverb", line);
  if (!decay) return std::unexpected(decay.error());
  auto mix = take_float(tokens, "mix", "reverb", line);
  if (!mix) return std::unexpected(mix.error());
  auto predelay = take_at_least(tokens, "reverb predelay", 0.01f, 0.0f, line);
  if (!predelay) return std::unexpected(predelay.error());
  return Effect{
      Effect::Reverb{clamp_unit(*room_size), clamp_unit(*decay), clamp_unit(*mix), *predelay}};
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
