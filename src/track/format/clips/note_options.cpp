#include "track/format/clips/note_options.h"

#include <array>
#include <string>
#include <utility>

#include "docformat/text.h"
#include "track/format/clips/arpeggio.h"
#include "track/format/directive_table.h"
#include "track/format/sounds/curve.h"

namespace lyre {

namespace {

using Applied = std::expected<void, ParseError>;

// A change over the whole note from `from` to `to`, shaped by `curve`.
std::vector<WavePoint> ramp(float from, float to, Curve curve) {
  return {WavePoint{0.0f, from, curve}, WavePoint{1.0f, to, Curve::linear()}};
}

Applied read_text(std::string_view token, NoteOptions& options, Tokens& tokens, std::size_t n) {
  auto text = read_quoted(token.substr(1), tokens, n);
  if (!text) return std::unexpected(text.error());
  if (text->starts_with('\'')) {
    text->erase(0, 1);
    options.text_marked = true;
  }
  options.text = std::move(*text);
  return {};
}

// A target from `base`, then an optional curve; a target equal to `base`
// leaves no ramp.
Applied read_ramp(std::vector<WavePoint>& points, float base, std::string_view label,
                  std::string_view missing, Tokens& tokens, std::size_t n) {
  auto target = parse_next_float(tokens, n, label, missing);
  if (!target) return std::unexpected(target.error());
  Curve curve = curve_token(tokens).value_or(Curve::ease());
  if (*target == base) {
    points.clear();
  } else {
    points = ramp(base, *target, curve);
  }
  return {};
}

Applied read_glide(NoteOptions& options, Tokens& tokens, std::size_t n) {
  return read_ramp(options.pitch_points, 0.0f, "glide", "glide needs an offset", tokens, n);
}

Applied read_volume_ramp(NoteOptions& options, Tokens& tokens, std::size_t n) {
  return read_ramp(options.volume_points, 1.0f, "vol-ramp", "vol-ramp needs a target factor",
                   tokens, n);
}

Applied read_repeat(NoteOptions& options, Tokens& tokens, std::size_t n) {
  return store(options.repeat, parse_next_count(tokens, n, "repeat", "repeat needs a count"));
}

Applied read_arpeggio(NoteOptions& options, Tokens& tokens, std::size_t n) {
  auto first = tokens.next();
  if (!first) return fail(n, "arpeggio needs an offset");
  return store(options.arpeggio, parse_arpeggio(*first, tokens, n, NanRate::Keep));
}

Applied read_volume(NoteOptions& options, Tokens& tokens, std::size_t n) {
  return store(options.volume, parse_next_float(tokens, n, "volume"));
}

using OptionReader = Applied (*)(NoteOptions& options, Tokens& tokens, std::size_t n);

constexpr std::array<Directive<OptionReader>, 5> kNoteOptions = {{
    {"glide", read_glide},
    {"volume", read_volume},
    {"vol-ramp", read_volume_ramp},
    {"repeat", read_repeat},
    {"arpeggio", read_arpeggio},
}};
static_assert(distinct_words(kNoteOptions));

// A quoted text comes before the table, as it is told by its first
// character, not by a word; a token that is neither is refused last.
Applied read_option(std::string_view token, NoteOptions& options, Tokens& tokens, std::size_t n) {
  if (token.starts_with('"')) return read_text(token, options, tokens, n);
  if (const OptionReader* read = find_directive(kNoteOptions, token)) {
    return (*read)(options, tokens, n);
  }
  return fail(n, cat("unexpected note token '", token, "'"), token);
}

}  // namespace

std::expected<NoteOptions, ParseError> parse_note_options(Tokens& tokens, std::size_t n) {
  NoteOptions options;
  while (auto token = tokens.next()) {
    auto applied = read_option(*token, options, tokens, n);
    if (!applied) return std::unexpected(applied.error());
  }
  return options;
}

}  // namespace lyre
