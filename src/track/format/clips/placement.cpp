#include "track/format/clips/placement.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "docformat/text.h"

namespace lyre {

namespace {

// The keyword settings both placements share.
enum class Keyword { Applied, NotKeyword };

template <class Placement>
std::expected<Keyword, ParseError> apply_keyword(std::string_view token, Placement& placement,
                                                 Tokens& tokens, std::size_t n,
                                                 const docformat::LineAt& at) {
  if (token == "tuning") {
    auto name = tokens.next();
    if (!name) return fail(n, "tuning needs a name");
    placement.tuning = std::string(*name);
    placement.tuning_at = at.of(*name);
    return Keyword::Applied;
  }
  if (token == "transpose") {
    auto value = parse_next_float(tokens, n, "transpose");
    if (!value) return std::unexpected(value.error());
    placement.transpose = *value;
    return Keyword::Applied;
  }
  return Keyword::NotKeyword;
}

// The placed name and start; `what` is the line's first word.
std::expected<float, ParseError> read_name_and_start(std::string& name,
                                                     docformat::NamePlace& name_at,
                                                     std::string_view what, Tokens& tokens,
                                                     std::size_t n, const docformat::LineAt& at) {
  auto name_token = tokens.next();
  if (!name_token) return fail(n, cat(what, " needs a name"));
  name = *name_token;
  name_at = at.of(*name_token);
  return parse_next_float(tokens, n, "start", cat(what, " needs start"));
}

}  // namespace

std::expected<MotifInstance, ParseError> parse_motif_placement(Tokens& tokens, std::size_t n,
                                                               const docformat::LineAt& at) {
  MotifInstance placement;
  auto start = read_name_and_start(placement.motif, placement.motif_at, "motif", tokens, n, at);
  if (!start) return std::unexpected(start.error());
  placement.start = *start;
  // Taken as the sound whatever it is, keywords included.
  auto sound = tokens.next();
  if (!sound) return fail(n, "motif needs a sound");
  placement.sound = *sound;
  placement.sound_at = at.of(*sound);
  while (auto token = tokens.next()) {
    auto keyword = apply_keyword(*token, placement, tokens, n, at);
    if (!keyword) return std::unexpected(keyword.error());
    if (*keyword == Keyword::NotKeyword) {
      return fail(n, cat("unexpected motif token '", *token, "'"), *token);
    }
  }
  return placement;
}

std::expected<SubtrackInstance, ParseError> parse_subtrack_placement(Tokens& tokens, std::size_t n,
                                                                     const docformat::LineAt& at) {
  SubtrackInstance placement;
  auto start = read_name_and_start(placement.layer, placement.layer_at, "subtrack", tokens, n, at);
  if (!start) return std::unexpected(start.error());
  placement.start = *start;
  bool sound_allowed = true;
  while (auto token = tokens.next()) {
    auto keyword = apply_keyword(*token, placement, tokens, n, at);
    if (!keyword) return std::unexpected(keyword.error());
    if (*keyword == Keyword::NotKeyword) {
      if (!sound_allowed) return fail(n, cat("unexpected subtrack token '", *token, "'"), *token);
      placement.sound = std::string(*token);
      placement.sound_at = at.of(*token);
    }
    sound_allowed = false;
  }
  return placement;
}

}  // namespace lyre
