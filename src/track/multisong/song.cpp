#include "lyre/track/multisong/song.h"

#include <algorithm>
#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "docformat/text.h"
#include "docformat/whitespace.h"
#include "lyre/docformat/name_index.h"
#include "lyre/docformat/parse_error.h"
#include "lyre/track/format/parse_error.h"
#include "song/float_order.h"
#include "track/format/song_directive.h"
#include "track/format/tokens.h"
#include "track/multisong/entry_body.h"

namespace lyre {

namespace {

// The parameters in the order first written, each with its last value;
// sorted into the song's map once the body is read, which costs less than
// inserting each into the ordered map.
struct PendingParams {
  std::vector<std::pair<std::string, float>> list;
  docformat::NameIndex names;

  void set(std::string&& name, float value) {
    auto name_at = [this](std::size_t i) -> std::string_view { return list[i].first; };
    if (auto known = names.find(name, name_at)) {
      list[*known].second = value;
      return;
    }
    list.emplace_back(std::move(name), value);
    names.add(list.size() - 1, name_at);
  }

  void move_into(std::map<std::string, float, std::less<>>& params) {
    names = {};  // freed before the map grows
    std::sort(list.begin(), list.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    for (auto& [name, value] : list) params.emplace_hint(params.end(), std::move(name), value);
  }
};

// Applies one directive to the song; the result is the message of a
// directive that cannot apply.
struct ApplyDirective {
  Song& song;
  // The song's markers by name; positions only, so no name is copied.
  docformat::NameIndex& marker_names;
  PendingParams& params;

  std::optional<std::string> operator()(SongDirective::Tempo& d) {
    song.tempo = d.tempo;
    song.tempo_ramp = d.ramp;
    song.tempo_param.reset();
    return std::nullopt;
  }
  std::optional<std::string> operator()(TempoParam& d) {
    song.tempo_param = std::move(d);
    return std::nullopt;
  }
  std::optional<std::string> operator()(SongDirective::Length& d) {
    song.length = d.beats;
    return std::nullopt;
  }
  std::optional<std::string> operator()(Signature& d) {
    song.signature = d;
    return std::nullopt;
  }
  std::optional<std::string> operator()(Jump& d) {
    song.jumps.push_back(std::move(d));
    return std::nullopt;
  }
  std::optional<std::string> operator()(JumpAt& d) {
    song.jump_ats.push_back(std::move(d));
    return std::nullopt;
  }
  std::optional<std::string> operator()(SongDirective::Marker& d) {
    auto name_at = [this](std::size_t i) -> std::string_view { return song.markers[i].name; };
    if (marker_names.find(d.name, name_at)) {
      return cat("marker '", d.name, "' is defined twice in this song");
    }
    song.markers.push_back(Marker{std::move(d.name), d.beat});
    marker_names.add(song.markers.size() - 1, name_at);
    return std::nullopt;
  }
  std::optional<std::string> operator()(SongDirective::Param& d) {
    params.set(std::move(d.name), d.default_value);
    return std::nullopt;
  }
  std::optional<std::string> operator()(SongDirective::Import&) {
    return std::string("'@import' belongs in the document header, not inside a song");
  }
  std::optional<std::string> operator()(SongDirective::Seed& d) {
    song.seed = d.seed;
    return std::nullopt;
  }
};

using Applied = std::expected<void, ParseError>;

void rename_jump(Jump& jump, const docformat::RenameMap& map) {
  docformat::rename(jump.target, map);
  if (!jump.transition) return;
  docformat::rename(jump.transition->motif, map);
  docformat::rename(jump.transition->sound, map);
}

}  // namespace

std::expected<Song, docformat::ParseError> Song::parse(std::span<const std::string_view> lines,
                                                       std::size_t first_line) {
  Song song;
  docformat::NameIndex marker_names;
  PendingParams params;
  auto read = read_body<Song>(lines, first_line, [&](const BodyLine& line) -> Applied {
    const FirstSplit split = split_at_whitespace(line.text);
    const std::string_view word = split.head;
    const std::string_view rest = trim(split.tail);
    if (!word.starts_with('@')) {
      return fail(line.n, cat("expected an '@' directive, got '", word, "'"), word);
    }
    if (word == "@layer") {
      song.layers.emplace_back(rest);
      song.layers_at.push_back(line.at.of(rest));
      return {};
    }
    auto directive = parse_song_directive(word.substr(1), rest, line.n, line.at);
    if (!directive) return std::unexpected(std::move(directive.error()));
    if (auto message = std::visit(ApplyDirective{song, marker_names, params}, directive->kind)) {
      return fail(line.n, std::move(*message));
    }
    return {};
  });
  if (!read) return std::unexpected(std::move(read.error()));
  params.move_into(song.params);
  std::stable_sort(song.markers.begin(), song.markers.end(),
                   [](const Marker& a, const Marker& b) { return total_less(a.beat, b.beat); });
  return song;
}

void Song::rename_references(const docformat::RenameMap& map) {
  if (map.empty()) return;
  for (std::string& layer : layers) docformat::rename(layer, map);
  for (Jump& jump : jumps) rename_jump(jump, map);
  for (JumpAt& jump : jump_ats) rename_jump(jump, map);
}

}  // namespace lyre
