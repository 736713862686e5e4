// The music records (`song/`): plain values with `operator==`, what the
// parser produces and a player would consume. They know no text format, no
// line reader and no file.
//
// An entry of "# Layers": notes, placements of motifs and of other layers,
// effects and mix settings.
#pragma once

#include <expected>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "lyre/docformat/name_place.h"
#include "lyre/docformat/section.h"
#include "lyre/song/boxed.h"
#include "lyre/song/effect.h"
#include "lyre/song/note/note.h"
#include "lyre/song/note/placement.h"

namespace lyre {

// The layer's volume follows a run-time parameter, scaled.
struct VolumeParam {
  std::string name{};
  float scale = 1.0f;
  bool operator==(const VolumeParam&) const = default;
};

// What most layers leave at its default: a volume parameter, a loop and a
// tuning.
struct LayerDetails {
  std::optional<VolumeParam> volume_param{};
  std::optional<float> loop_length{};
  float loop_skip = 0.0f;
  std::optional<std::string> tuning{};
  docformat::NamePlace tuning_at{};
  bool operator==(const LayerDetails&) const = default;
};

// The details are boxed, as a note's are: a file may hold hundreds of
// thousands of layers, most of a few notes.
struct Layer {
  std::string name{};  // the entry name, given by the section list
  // The sound entry or built-in instrument name of each note, each name
  // once, in order of first use; a note holds the index of its own.
  std::vector<std::string> sounds{};
  std::vector<Note> notes{};  // stably sorted by start
  std::vector<MotifInstance> motifs{};
  std::vector<SubtrackInstance> subtracks{};
  std::vector<Effect> effects{};
  float volume = 1.0f;
  float pan = 0.0f;
  float root = 440.0f;
  bool mute = false;
  bool solo = false;
  Boxed<LayerDetails> details{};

  // Errors carry the body line and either a line error or a LayerBodyError.
  // `first_line`, the file line of the first body line, places the names the
  // layer refers to.
  static std::expected<Layer, docformat::ParseError> parse(std::span<const std::string_view> lines,
                                                           std::size_t first_line = 1);
  // Rewrites the layer's own name, its tuning, the sounds of its notes, its
  // placements' motifs, layers, sounds and tunings, and named reverbs.
  void rename_references(const docformat::RenameMap& map);
  void take_entry_name(std::string_view entry_name) { name = entry_name; }

  // The name of the sound `note` plays; empty for an index past `sounds`.
  std::string_view sound_of(const Note& note) const {
    return note.sound < sounds.size() ? std::string_view(sounds[note.sound]) : std::string_view();
  }

  bool operator==(const Layer&) const = default;
};

}  // namespace lyre
