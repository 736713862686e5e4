#include "track/format/clips/placement_override.h"

#include <array>
#include <string>
#include <utility>

#include "docformat/text.h"
#include "track/format/directive_table.h"
#include "track/format/point_list.h"
#include "track/format/tokens.h"

namespace lyre {

namespace {

using Applied = std::expected<void, ParseError>;

std::expected<Trim, ParseError> read_trim(Tokens& tokens, std::size_t n) {
  constexpr std::string_view kMissing = "trim needs <from> <count>";
  auto from = parse_next_index(tokens, n, "trim from", kMissing);
  if (!from) return std::unexpected(from.error());
  auto count = parse_next_index(tokens, n, "trim count", kMissing);
  if (!count) return std::unexpected(count.error());
  if (!tokens.empty()) return fail(n, "trim takes only <from> <count>");
  return Trim{*from, *count};
}

// A quoted value, continued over further tokens, without its leading
// apostrophes.
std::expected<std::string, ParseError> read_override_text(std::string_view value, Tokens& tokens,
                                                          std::size_t n) {
  if (!value.starts_with('"')) return fail(n, "override text must be quoted");
  auto text = read_quoted(value.substr(1), tokens, n);
  if (!text) return std::unexpected(text.error());
  text->erase(0, text->find_first_not_of('\''));
  return text;
}

// The value token every field but `pitch-curve` and `skip` takes.
std::expected<std::string_view, ParseError> take_value(std::string_view field, Tokens& tokens,
                                                       std::size_t n) {
  auto value = tokens.next();
  if (!value) return fail(n, cat("override '", field, "' needs a value"), field);
  return *value;
}

// The value of a number field, labelled with the field word.
std::expected<float, ParseError> take_number(std::string_view field, Tokens& tokens,
                                             std::size_t n) {
  auto value = take_value(field, tokens, n);
  if (!value) return std::unexpected(value.error());
  return parse_float(*value, n, field);
}

template <std::optional<float> NoteOverride::*Slot>
Applied read_number(NoteOverride& change, std::string_view field, Tokens& tokens, std::size_t n) {
  return store(change.*Slot, take_number(field, tokens, n));
}

Applied read_pitch_curve(NoteOverride& change, std::string_view, Tokens& tokens, std::size_t n) {
  // The rest of the line, as the point list reader ignores how its tokens
  // are spaced.
  auto points = parse_wave_points(tokens.rest(), n);
  if (!points) return std::unexpected(points.error());
  tokens = Tokens(std::string_view());  // every token has been taken
  change.pitch_curve = std::move(*points);
  return {};
}

Applied read_skip(NoteOverride& change, std::string_view, Tokens&, std::size_t) {
  change.skip = true;
  return {};
}

Applied read_text(NoteOverride& change, std::string_view field, Tokens& tokens, std::size_t n) {
  auto value = take_value(field, tokens, n);
  if (!value) return std::unexpected(value.error());
  return store(change.text, read_override_text(*value, tokens, n));
}

using FieldReader = Applied (*)(NoteOverride& change, std::string_view field, Tokens& tokens,
                                std::size_t n);

constexpr std::array<Directive<FieldReader>, 8> kFields = {{
    {"pitch-curve", read_pitch_curve},
    {"skip", read_skip},
    {"text", read_text},
    {"start", read_number<&NoteOverride::start>},
    {"duration", read_number<&NoteOverride::duration>},
    {"pitch", read_number<&NoteOverride::pitch>},
    {"volume", read_number<&NoteOverride::volume>},
    {"glide", read_number<&NoteOverride::glide>},
}};
static_assert(distinct_words(kFields));

// A word no row has is still read as a number field: a missing value, then
// a value that is not a number, are reported before the word is refused.
Applied read_field(std::string_view field, NoteOverride& change, Tokens& tokens, std::size_t n) {
  if (const FieldReader* read = find_directive(kFields, field)) {
    return (*read)(change, field, tokens, n);
  }
  auto number = take_number(field, tokens, n);
  if (!number) return std::unexpected(number.error());
  return fail(n, cat("unknown override field '", field, "'"), field);
}

std::expected<NoteOverride, ParseError> read_note_override(Tokens& tokens, std::size_t n) {
  auto index = parse_next_index(tokens, n, "note index", "note override needs an index");
  if (!index) return std::unexpected(index.error());
  NoteOverride change;
  change.index = *index;
  while (auto field = tokens.next()) {
    auto applied = read_field(*field, change, tokens, n);
    if (!applied) return std::unexpected(applied.error());
  }
  return change;
}

Applied read_trim_line(std::optional<Trim>& trim, std::vector<NoteOverride>&, Tokens& tokens,
                       std::size_t n) {
  return store(trim, read_trim(tokens, n));
}

Applied read_note_line(std::optional<Trim>&, std::vector<NoteOverride>& overrides, Tokens& tokens,
                       std::size_t n) {
  auto read = read_note_override(tokens, n);
  if (!read) return std::unexpected(read.error());
  overrides.push_back(std::move(*read));
  return {};
}

using OverrideReader = Applied (*)(std::optional<Trim>& trim, std::vector<NoteOverride>& overrides,
                                   Tokens& tokens, std::size_t n);

constexpr std::array<Directive<OverrideReader>, 2> kOverrides = {{
    {"trim", read_trim_line},
    {"note", read_note_line},
}};
static_assert(distinct_words(kOverrides));

}  // namespace

Applied apply_placement_override(std::optional<Trim>& trim, std::vector<NoteOverride>& overrides,
                                 std::string_view line, std::size_t n) {
  Tokens tokens(line);
  // An empty line comes before any row; a word no row has comes after.
  auto first = tokens.next();
  if (!first) return fail(n, "empty placement override");
  if (const OverrideReader* read = find_directive(kOverrides, *first)) {
    return (*read)(trim, overrides, tokens, n);
  }
  return fail(n, cat("placement override must be 'note' or 'trim', got '", *first, "'"), *first);
}

}  // namespace lyre
