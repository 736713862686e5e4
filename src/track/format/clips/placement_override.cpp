#include "track/format/clips/placement_override.h"

#include <string>
#include <utility>

#include "docformat/text.h"
#include "track/format/point_list.h"
#include "track/format/tokens.h"

namespace lyre {

namespace {

using Applied = std::expected<void, ParseError>;

std::expected<Trim, ParseError> read_trim(Tokens& tokens, std::size_t n) {
  auto from_token = tokens.next();
  if (!from_token) return fail(n, "trim needs <from> <count>");
  auto from = parse_index(*from_token, n, "trim from");
  if (!from) return std::unexpected(from.error());
  auto count_token = tokens.next();
  if (!count_token) return fail(n, "trim needs <from> <count>");
  auto count = parse_index(*count_token, n, "trim count");
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

std::optional<float>* number_field(NoteOverride& change, std::string_view field) {
  if (field == "start") return &change.start;
  if (field == "duration") return &change.duration;
  if (field == "pitch") return &change.pitch;
  if (field == "volume") return &change.volume;
  if (field == "glide") return &change.glide;
  return nullptr;
}

Applied read_field(std::string_view field, NoteOverride& change, Tokens& tokens, std::size_t n) {
  if (field == "pitch-curve") {
    // The rest of the line, as the point list reader ignores how its tokens
    // are spaced.
    auto points = parse_wave_points(tokens.rest(), n);
    if (!points) return std::unexpected(points.error());
    tokens = Tokens(std::string_view());  // every token has been taken
    change.pitch_curve = std::move(*points);
    return {};
  }
  if (field == "skip") {
    change.skip = true;
    return {};
  }
  auto value = tokens.next();
  if (!value) return fail(n, cat("override '", field, "' needs a value"), field);
  if (field == "text") {
    auto text = read_override_text(*value, tokens, n);
    if (!text) return std::unexpected(text.error());
    change.text = std::move(*text);
    return {};
  }
  // The number is read before the field word is matched.
  auto number = parse_float(*value, n, field);
  if (!number) return std::unexpected(number.error());
  std::optional<float>* slot = number_field(change, field);
  if (!slot) return fail(n, cat("unknown override field '", field, "'"), field);
  *slot = *number;
  return {};
}

std::expected<NoteOverride, ParseError> read_note_override(Tokens& tokens, std::size_t n) {
  auto index_token = tokens.next();
  if (!index_token) return fail(n, "note override needs an index");
  auto index = parse_index(*index_token, n, "note index");
  if (!index) return std::unexpected(index.error());
  NoteOverride change;
  change.index = *index;
  while (auto field = tokens.next()) {
    auto applied = read_field(*field, change, tokens, n);
    if (!applied) return std::unexpected(applied.error());
  }
  return change;
}

}  // namespace

Applied apply_placement_override(std::optional<Trim>& trim, std::vector<NoteOverride>& overrides,
                                 std::string_view line, std::size_t n) {
  Tokens tokens(line);
  auto first = tokens.next();
  if (!first) return fail(n, "empty placement override");
  if (*first == "trim") {
    auto read = read_trim(tokens, n);
    if (!read) return std::unexpected(read.error());
    trim = *read;
    return {};
  }
  if (*first == "note") {
    auto read = read_note_override(tokens, n);
    if (!read) return std::unexpected(read.error());
    overrides.push_back(std::move(*read));
    return {};
  }
  return fail(n, cat("placement override must be 'note' or 'trim', got '", *first, "'"), *first);
}

}  // namespace lyre
