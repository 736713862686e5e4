#include "track/format/sounds/sound_directive.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "docformat/text.h"
#include "track/format/clips/arpeggio.h"
#include "track/format/directive_table.h"
#include "track/format/sounds/envelope.h"
#include "track/format/sounds/lfo.h"
#include "track/format/tokens.h"

namespace lyre {

namespace {

using Applied = std::expected<void, ParseError>;

struct ScalarDirective {
  std::string_view name;  // also the label of its number
  float Sound::*field;
};

constexpr std::array<ScalarDirective, 7> kScalars = {{
    {"volume", &Sound::volume},
    {"sustain", &Sound::sustain},
    {"noise", &Sound::noise},
    {"distortion", &Sound::distortion},
    {"detune", &Sound::detune},
    {"vol-jitter", &Sound::vol_jitter},
    {"duty_sweep", &Sound::duty_sweep},
}};

struct StageDirective {
  std::string_view name;
  EnvelopeStage Sound::*field;
};

constexpr std::array<StageDirective, 3> kStages = {{
    {"attack", &Sound::attack},
    {"decay", &Sound::decay},
    {"release", &Sound::release},
}};

constexpr std::array<std::pair<std::string_view, VoiceOverride::Kind>, 4> kVoiceParameters = {{
    {"formant-shift", VoiceOverride::Kind::FormantShift},
    {"tilt", VoiceOverride::Kind::Tilt},
    {"breathiness", VoiceOverride::Kind::Breathiness},
    {"vibrato", VoiceOverride::Kind::Vibrato},
}};

Applied apply_slide(Sound& sound, Tokens& tokens, std::size_t line) {
  auto amount = parse_next_float(tokens, line, "slide amount");
  if (!amount) return std::unexpected(amount.error());
  auto time = parse_next_float(tokens, line, "slide time");
  if (!time) return std::unexpected(time.error());
  sound.slide_amount = *amount;
  sound.slide_time = *time;
  return {};
}

Applied apply_stage(EnvelopeStage& stage, std::string_view name, Tokens& tokens, std::size_t line) {
  auto duration = tokens.next();
  if (!duration) return fail(line, cat(name, " needs a duration"));
  return store(stage, parse_envelope(*duration, tokens.next(), line));
}

// cutoff [env [duration [curve]]]: only the values given are replaced.
Applied apply_filter(Sound& sound, Tokens& tokens, std::size_t line) {
  auto cutoff = parse_next_float(tokens, line, "filter cutoff");
  if (!cutoff) return std::unexpected(cutoff.error());
  auto env = parse_optional_float(tokens, line, "filter env", sound.filter_env);
  if (!env) return std::unexpected(env.error());
  EnvelopeStage envelope = sound.filter_envelope;
  if (auto duration = tokens.next()) {
    auto stage = parse_envelope(*duration, tokens.next(), line);
    if (!stage) return std::unexpected(stage.error());
    envelope = *stage;
  }
  sound.filter_cutoff = *cutoff;
  sound.filter_env = *env;
  sound.filter_envelope = envelope;
  return {};
}

Applied apply_lfo(Lfo& lfo, std::string_view name, Tokens& tokens, std::size_t line) {
  auto rate = tokens.next();
  if (!rate) return fail(line, cat(name, " needs <rate> <depth>"));
  return store(lfo, parse_lfo(*rate, tokens, line, name));
}

Applied apply_arpeggio(Sound& sound, Tokens& tokens, std::size_t line) {
  auto first = tokens.next();
  if (!first) return fail(line, "arpeggio needs offsets");
  return store(sound.details.edit().arpeggio,
               parse_arpeggio(*first, tokens, line, NanRate::Refuse));
}

Applied apply_steps(Sound& sound, Tokens& tokens, std::size_t line) {
  return store(sound.steps, parse_next_count(tokens, line, "steps", "steps needs a value"));
}

// preset [param value]...: the preset is replaced, overrides accumulate over
// lines, ensemble is overwritten when given.
Applied apply_voice(Sound& sound, Tokens& tokens, std::size_t line) {
  auto preset = tokens.next();
  if (!preset) return fail(line, "voice needs a preset name");
  std::vector<VoiceOverride> overrides;
  std::uint64_t ensemble = sound.details.get().ensemble;
  while (auto word = tokens.next()) {
    if (*word == "ensemble") {
      auto count = tokens.next();
      if (!count) return fail(line, "voice 'ensemble' needs a singer count");
      auto singers = read_unsigned(*count, std::numeric_limits<std::uint64_t>::max());
      if (!singers) return fail(line, cat("invalid ensemble count '", *count, "'"), *count);
      ensemble = *singers;
      continue;
    }
    const auto parameter = std::find_if(kVoiceParameters.begin(), kVoiceParameters.end(),
                                        [&](const auto& entry) { return entry.first == *word; });
    if (parameter == kVoiceParameters.end()) {
      return fail(line, cat("unknown voice parameter '", *word, "'"), *word);
    }
    auto value = parse_next_float(tokens, line, *word);
    if (!value) return std::unexpected(value.error());
    overrides.push_back(VoiceOverride{parameter->second, *value});
  }
  SoundDetails& details = sound.details.edit();
  details.voice = std::string(*preset);
  details.voice_overrides.insert(details.voice_overrides.end(), overrides.begin(), overrides.end());
  details.ensemble = ensemble;
  return {};
}

// `<low>..<high>`, cut at the first "..".
std::expected<SampleZone, ParseError> parse_sample_range(std::string file, std::string_view range,
                                                         std::size_t line) {
  const std::size_t dots = range.find("..");
  if (dots == std::string_view::npos) return fail(line, "sample range must be '<low>..<high>'");
  auto low = parse_float(range.substr(0, dots), line, "sample range low");
  if (!low) return std::unexpected(low.error());
  auto high = parse_float(range.substr(dots + 2), line, "sample range high");
  if (!high) return std::unexpected(high.error());
  return SampleZone{std::move(file), *low, *high};
}

// "file" [@<low>..<high> | @ <low>..<high>]
Applied apply_sample(Sound& sound, Tokens& tokens, std::size_t line) {
  auto first = tokens.next();
  if (!first || !first->starts_with('"')) {
    return fail(line, "sample needs a quoted file: sample \"kick.wav\"");
  }
  auto file = read_quoted(first->substr(1), tokens, line);
  if (!file) return std::unexpected(file.error());
  auto marker = tokens.next();
  if (!marker) {
    sound.details.edit().sample_zones.push_back(SampleZone{std::move(*file)});
    return {};
  }
  if (!marker->starts_with('@')) {
    return fail(line, cat("unexpected sample token '", *marker, "'"), *marker);
  }
  std::string_view range = marker->substr(1);
  if (range.empty()) {
    auto next = tokens.next();
    if (!next) return fail(line, "sample range needs '<low>..<high>' after '@'");
    range = *next;
  }
  auto zone = parse_sample_range(std::move(*file), range, line);
  if (!zone) return std::unexpected(zone.error());
  sound.details.edit().sample_zones.push_back(std::move(*zone));
  return {};
}

using SoundReader = Applied (*)(Sound& sound, Tokens& tokens, std::size_t line);

template <std::size_t I>
Applied read_scalar(Sound& sound, Tokens& tokens, std::size_t line) {
  constexpr ScalarDirective scalar = kScalars[I];
  return store(sound.*scalar.field, parse_next_float(tokens, line, scalar.name));
}

template <std::size_t I>
Applied read_stage(Sound& sound, Tokens& tokens, std::size_t line) {
  constexpr StageDirective stage = kStages[I];
  return apply_stage(sound.*stage.field, stage.name, tokens, line);
}

constexpr std::array<Directive<SoundReader>, 8> kOtherDirectives = {{
    {"slide", apply_slide},
    {"filter", apply_filter},
    {"vibrato",
     [](Sound& sound, Tokens& tokens, std::size_t line) {
       return apply_lfo(sound.details.edit().vibrato, "vibrato", tokens, line);
     }},
    {"tremolo",
     [](Sound& sound, Tokens& tokens, std::size_t line) {
       return apply_lfo(sound.details.edit().tremolo, "tremolo", tokens, line);
     }},
    {"arpeggio", apply_arpeggio},
    {"steps", apply_steps},
    {"voice", apply_voice},
    {"sample", apply_sample},
}};

template <std::size_t... I>
constexpr std::array<Directive<SoundReader>, sizeof...(I)> scalar_rows(std::index_sequence<I...>) {
  return {{{kScalars[I].name, read_scalar<I>}...}};
}

template <std::size_t... I>
constexpr std::array<Directive<SoundReader>, sizeof...(I)> stage_rows(std::index_sequence<I...>) {
  return {{{kStages[I].name, read_stage<I>}...}};
}

// Every sound directive in one table: a row per scalar, a row per stage,
// then the rest.
constexpr auto kSoundDirectives = [] {
  std::array<Directive<SoundReader>, kScalars.size() + kStages.size() + kOtherDirectives.size()>
      table{};
  std::size_t row = 0;
  for (const auto& scalar : scalar_rows(std::make_index_sequence<kScalars.size()>{})) {
    table[row++] = scalar;
  }
  for (const auto& stage : stage_rows(std::make_index_sequence<kStages.size()>{})) {
    table[row++] = stage;
  }
  for (const auto& other : kOtherDirectives) table[row++] = other;
  return table;
}();
static_assert(distinct_words(kSoundDirectives));

}  // namespace

std::expected<void, ParseError> apply_sound_directive(Sound& sound, std::string_view name,
                                                      std::string_view value, std::size_t line) {
  Tokens tokens(value);
  if (const SoundReader* read = find_directive(kSoundDirectives, name)) {
    return (*read)(sound, tokens, line);
  }
  return fail(line, cat("unknown sound directive '", name, "'"), name);
}

}  // namespace lyre
