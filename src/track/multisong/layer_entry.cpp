#include "track/multisong/layer_entry.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <variant>

#include "docformat/text_hash.h"
#include "docformat/whitespace.h"
#include "lyre/docformat/parse_error.h"
#include "song/float_order.h"
#include "track/format/clips/note_curve.h"
#include "track/format/clips/note_fields.h"
#include "track/format/clips/placement.h"
#include "track/format/clips/placement_override.h"
#include "track/format/clips/track_line.h"
#include "track/format/layer_directive.h"
#include "track/format/tokens.h"
#include "track/multisong/entry_body.h"
#include "track/multisong/indented_line.h"
#include "track/multisong/layer_body_error.h"

namespace lyre {

namespace {

using Applied = std::expected<void, docformat::Cause>;

// What a reader's result leaves to the body loop: nothing, or its cause.
template <class E>
Applied applied(const std::expected<void, E>& result) {
  if (!result) return std::unexpected(result.error().cause());
  return {};
}

Applied body_error(LayerBodyError::Kind kind) {
  return std::unexpected(LayerBodyError{kind}.cause());
}

Applied apply_directive_line(Layer& layer, const BodyLine& line) {
  for (std::string_view directive : split_directives(line.text)) {
    FirstSplit split = split_at_whitespace(directive);
    auto done = apply_layer_directive(layer, split.head, trim(split.tail), line.n, line.at);
    if (!done) return applied(done);
  }
  return {};
}

// An indented line shapes the item read last: a curve line its note, any
// other line its placement.
Applied apply_indented_line(Layer& layer, std::optional<ClipKind> last, const BodyLine& line) {
  std::string_view word = Tokens(line.text).next().value_or(std::string_view());
  if (word == "pitch" || word == "volume") {
    if (last != ClipKind::Note) return body_error(LayerBodyError::Kind::CurveWithoutNote);
    return applied(apply_note_curve(layer.notes.back(), line.text, line.n));
  }
  if (last == ClipKind::Motif) {
    MotifInstance& placement = layer.motifs.back();
    return applied(
        apply_placement_override(placement.trim, placement.overrides, line.text, line.n));
  }
  if (last == ClipKind::Subtrack) {
    SubtrackInstance& placement = layer.subtracks.back();
    return applied(
        apply_placement_override(placement.trim, placement.overrides, line.text, line.n));
  }
  return body_error(LayerBodyError::Kind::OverrideWithoutPlacement);
}

// An upper bound on the notes of a body: reserving for it saves regrowing the
// list, which otherwise costs as much as reading the notes themselves.
std::size_t possible_notes(std::span<const std::string_view> lines) {
  return static_cast<std::size_t>(
      std::count_if(lines.begin(), lines.end(), [](std::string_view raw) {
        return !raw.empty() && raw.front() != '@' && !is_indented(raw);
      }));
}

// Appends to the layer's lists; a note is read in place, since moving it into
// the list would cost about as much as reading it. Each sound name is kept
// once in the layer: the few a layer usually plays are compared in turn,
// and an index is made once it plays more.
class LayerSink {
 public:
  explicit LayerSink(Layer& layer) : layer_(layer) {}
  void add(MotifInstance motif) { layer_.motifs.push_back(std::move(motif)); }
  void add(SubtrackInstance subtrack) { layer_.subtracks.push_back(std::move(subtrack)); }
  Note& new_note() { return layer_.notes.emplace_back(); }
  void drop_note() { layer_.notes.pop_back(); }
  void set_sound(Note& note, std::string_view sound) { note.sound = sound_index(sound); }

 private:
  static constexpr std::size_t kCompared = 8;

  std::uint32_t sound_index(std::string_view sound) {
    std::vector<std::string>& sounds = layer_.sounds;
    if (sounds.size() <= kCompared) {
      for (std::size_t i = 0; i < sounds.size(); ++i) {
        if (sounds[i] == sound) return static_cast<std::uint32_t>(i);
      }
    } else {
      if (index_.empty()) {
        for (std::size_t i = 0; i < sounds.size(); ++i) {
          index_.emplace(sounds[i], static_cast<std::uint32_t>(i));
        }
      }
      if (auto found = index_.find(sound); found != index_.end()) return found->second;
    }
    const auto added = static_cast<std::uint32_t>(sounds.size());
    sounds.emplace_back(sound);
    if (!index_.empty()) index_.emplace(sounds.back(), added);
    return added;
  }

  Layer& layer_;
  std::unordered_map<std::string, std::uint32_t, docformat::TextHash, std::equal_to<>> index_;
};

void sort_notes(std::vector<Note>& notes) {
  auto earlier = [](const Note& a, const Note& b) { return total_less(a.start, b.start); };
  if (std::is_sorted(notes.begin(), notes.end(), earlier)) return;
  std::stable_sort(notes.begin(), notes.end(), earlier);
}

}  // namespace

std::expected<ClipKind, ParseError> add_clip_line(Layer& layer, std::string_view trimmed,
                                                  std::size_t n, const docformat::LineAt& at) {
  LayerSink sink(layer);
  return read_track_line(trimmed, n, sink, at);
}

std::expected<Layer, docformat::ParseError> Layer::parse(std::span<const std::string_view> lines,
                                                         std::size_t first_line) {
  std::expected<Layer, docformat::ParseError> result;
  Layer& layer = *result;
  std::optional<ClipKind> last;
  LayerSink sink(layer);
  // Small bodies grow cheaply, and reserving for them would cost a note's
  // room in every layer that holds only placements.
  if (lines.size() >= 16) layer.notes.reserve(possible_notes(lines));
  auto read = read_body<Layer>(lines, first_line, [&](const BodyLine& line) -> Applied {
    if (line.text.front() == '@') return apply_directive_line(layer, line);
    if (is_indented(line.raw)) return apply_indented_line(layer, last, line);
    auto kind = read_track_line(line.text, line.n, sink, line.at);
    if (!kind) return std::unexpected(kind.error().cause());
    last = *kind;
    return {};
  });
  if (!read) return std::unexpected(std::move(read.error()));
  // Curve and override lines have been applied, so sorting cannot change
  // which note they shaped.
  sort_notes(layer.notes);
  return result;
}

void Layer::rename_references(const docformat::RenameMap& map) {
  if (map.empty()) return;
  docformat::rename(name, map);
  if (details.is_set()) docformat::rename(details.edit().tuning, map);
  for (std::string& sound : sounds) docformat::rename(sound, map);
  for (MotifInstance& placement : motifs) {
    docformat::rename(placement.motif, map);
    docformat::rename(placement.sound, map);
    docformat::rename(placement.tuning, map);
  }
  for (SubtrackInstance& placement : subtracks) {
    docformat::rename(placement.layer, map);
    docformat::rename(placement.sound, map);
    docformat::rename(placement.tuning, map);
  }
  for (Effect& effect : effects) {
    if (auto* reverb = std::get_if<Effect::NamedReverb>(&effect.kind)) {
      docformat::rename(reverb->preset, map);
    }
  }
}

}  // namespace lyre
