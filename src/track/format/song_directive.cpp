#include "track/format/song_directive.h"

#include <array>
#include <limits>
#include <utility>

#include "docformat/text.h"
#include "track/format/directive_table.h"
#include "track/format/jump_clauses.h"
#include "track/format/tokens.h"

namespace lyre {

namespace {

using Result = std::expected<SongDirective, ParseError>;

Result tempo_param(Tokens& words, std::size_t line) {
  auto name = words.next();
  if (!name) return fail(line, "@tempo param needs a parameter name");
  auto scale = parse_optional_float(words, line, "tempo scale", 1.0f);
  if (!scale) return std::unexpected(scale.error());
  return SongDirective{TempoParam{std::string(*name), *scale}};
}

Result tempo(std::string_view rest, std::size_t line) {
  Tokens words(rest);
  auto first = words.next();
  if (!first) return fail(line, "@tempo needs a value or 'param <name>'");
  if (*first == "param") return tempo_param(words, line);
  auto value = parse_float(*first, line, "tempo");
  if (!value) return std::unexpected(value.error());
  float ramp = 1.0f;
  // A ramp from a tempo that is not positive means nothing; its end is not read.
  if (*value > 0.0f) {
    if (auto token = words.next()) {
      auto end = parse_float(*token, line, "end tempo");
      if (!end) return std::unexpected(end.error());
      ramp = *end / *value;
    }
  }
  return SongDirective{SongDirective::Tempo{*value, ramp}};
}

Result length(std::string_view rest, std::size_t line) {
  auto beats = parse_float(rest, line, "length");
  if (!beats) return std::unexpected(beats.error());
  return SongDirective{SongDirective::Length{*beats}};
}

Result signature(std::string_view rest, std::size_t line) {
  Tokens words(rest);
  auto first = words.next();
  if (!first) return fail(line, "@signature needs <beats_per_bar> [beat_unit]");
  auto beats_per_bar = parse_positive(*first, line, "beats_per_bar");
  if (!beats_per_bar) return std::unexpected(beats_per_bar.error());
  Signature result{*beats_per_bar, 4};
  if (auto token = words.next()) {
    auto beat_unit = parse_positive(*token, line, "beat_unit");
    if (!beat_unit) return std::unexpected(beat_unit.error());
    result.beat_unit = *beat_unit;
  }
  if (!words.empty()) return fail(line, "@signature takes only <beats_per_bar> [beat_unit]");
  return SongDirective{result};
}

Result jump(std::string_view rest, std::size_t line, const docformat::LineAt& at) {
  Tokens words(rest);
  auto target = words.next();
  if (!target) return fail(line, "@jump needs a target");
  auto result = parse_jump_clauses(words, line, "jump", *target, at);
  if (!result) return std::unexpected(result.error());
  return SongDirective{std::move(*result)};
}

Result jump_at(std::string_view rest, std::size_t line, const docformat::LineAt& at) {
  Tokens words(rest);
  auto point = words.next();
  if (!point) return fail(line, "@jump-at needs a beat or marker name");
  auto target = words.next();
  if (!target) return fail(line, "@jump-at needs a target");
  auto clauses = parse_jump_clauses(words, line, "jump-at", *target, at);
  if (!clauses) return std::unexpected(clauses.error());
  JumpAt result{std::move(*clauses), {}};
  if (auto beat = read_float(*point)) {
    result.at = *beat;
  } else {
    result.at = std::string(*point);
    result.marker_at = at.of(*point);
  }
  return SongDirective{std::move(result)};
}

Result marker(std::string_view rest, std::size_t line) {
  Tokens words(rest);
  auto beat = parse_next_float(words, line, "marker beat", "@marker needs a beat");
  if (!beat) return std::unexpected(beat.error());
  auto name = words.next();
  if (!name) return fail(line, "@marker needs a name");
  // A jump-at reads a number as a beat, so such a marker could never be reached.
  if (is_number(*name)) {
    return fail(line,
                cat("marker name '", *name,
                    "' is a number, which a jump target could not tell apart from a beat"),
                *name);
  }
  return SongDirective{SongDirective::Marker{std::string(*name), *beat}};
}

Result param(std::string_view rest, std::size_t line) {
  Tokens words(rest);
  auto name = words.next();
  if (!name) return fail(line, "@param needs a name");
  auto default_value = parse_optional_float(words, line, "param default", 0.0f);
  if (!default_value) return std::unexpected(default_value.error());
  if (!words.empty()) return fail(line, "@param takes only <name> [default]");
  return SongDirective{SongDirective::Param{std::string(*name), *default_value}};
}

Result seed(std::string_view rest, std::size_t line) {
  auto value = read_unsigned(rest, std::numeric_limits<std::uint32_t>::max());
  if (!value) return fail(line, cat("invalid seed '", rest, "'"), rest);
  return SongDirective{SongDirective::Seed{static_cast<std::uint32_t>(*value)}};
}

using SongReader = Result (*)(std::string_view rest, std::size_t line, const docformat::LineAt& at);

constexpr std::array<Directive<SongReader>, 9> kSongDirectives = {{
    {"tempo", [](std::string_view rest, std::size_t line,
                 const docformat::LineAt&) { return tempo(rest, line); }},
    {"length", [](std::string_view rest, std::size_t line,
                  const docformat::LineAt&) { return length(rest, line); }},
    {"signature", [](std::string_view rest, std::size_t line,
                     const docformat::LineAt&) { return signature(rest, line); }},
    {"jump", jump},
    {"jump-at", jump_at},
    {"marker", [](std::string_view rest, std::size_t line,
                  const docformat::LineAt&) { return marker(rest, line); }},
    {"param", [](std::string_view rest, std::size_t line,
                 const docformat::LineAt&) { return param(rest, line); }},
    {"seed", [](std::string_view rest, std::size_t line,
                const docformat::LineAt&) { return seed(rest, line); }},
    // Read here and refused by the song parser, which owns the message.
    {"import",
     [](std::string_view, std::size_t, const docformat::LineAt&) -> Result {
       return SongDirective{SongDirective::Import{}};
     }},
}};
static_assert(distinct_words(kSongDirectives));

}  // namespace

std::expected<SongDirective, ParseError> parse_song_directive(std::string_view word,
                                                              std::string_view rest,
                                                              std::size_t line,
                                                              const docformat::LineAt& at) {
  if (const SongReader* read = find_directive(kSongDirectives, word)) {
    return (*read)(rest, line, at);
  }
  return fail(line, cat("unknown global directive '", word, "'"), word);
}

}  // namespace lyre
