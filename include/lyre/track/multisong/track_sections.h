// The entry types and the track record (`track/multisong/`): each section's
// entry body read through the line readers, the record of the nine lists,
// and the whole-track checks. They know nothing of the way in or the command.
//
// The nine typed section lists of a `.track` document.
#pragma once

#include <array>
#include <vector>
#include <expected>
#include <string>
#include <string_view>
#include <tuple>

#include "lyre/docformat/document.h"
#include "lyre/docformat/section_list.h"
#include "lyre/song/note/layer.h"
#include "lyre/song/sound/sound.h"
#include "lyre/song/subtitle.h"
#include "lyre/song/tuning.h"
#include "lyre/track/multisong/motif.h"
#include "lyre/track/multisong/reverb_preset.h"
#include "lyre/track/multisong/snapshot.h"
#include "lyre/track/multisong/song.h"
#include "lyre/track/multisong/wave.h"

namespace lyre {

struct TrackSections {
  docformat::SectionList<Song> songs;
  docformat::SectionList<Layer> layers;
  docformat::SectionList<Sound> sounds;
  docformat::SectionList<Tuning> tunings;
  docformat::SectionList<Wave> waves;
  docformat::SectionList<SubtitleTrack> subtitles;
  docformat::SectionList<Motif> motifs;
  docformat::SectionList<Snapshot> snapshots;
  docformat::SectionList<ReverbPreset> reverb;

  // Section headings, in field order.
  static constexpr std::array<std::string_view, 9> kNames = {"Songs",   "Layers",    "Sounds",
                                                             "Tunings", "Waves",     "Subtitles",
                                                             "Motifs",  "Snapshots", "Reverb"};

  auto lists() {
    return std::tie(songs, layers, sounds, tunings, waves, subtitles, motifs, snapshots, reverb);
  }
  auto lists() const {
    return std::tie(songs, layers, sounds, tunings, waves, subtitles, motifs, snapshots, reverb);
  }

  // True when the block's name is one of the nine and every entry parsed (or,
  // with `errors`, was read on past); the entries' body lines are then
  // released.
  std::expected<bool, docformat::ParseError> try_parse_into(
      docformat::SectionBlock& block, std::vector<docformat::ParseError>* errors = nullptr);
  void set_origin(const std::string& origin);
  void merge_first_wins(TrackSections&& other);
  // The same merge from a record that is kept as it is, such as a cached library.
  void merge_first_wins(const TrackSections& other);
  // Renames every entry of `imported`, in all nine lists, whose name clashes
  // with an entry of this record in the same list, and the references to it.
  void qualify_collisions(TrackSections& imported, std::string_view alias) const;
};

using TrackDocument = docformat::Document<TrackSections>;
// Compiled once, in the library.
extern template struct docformat::Document<TrackSections>;

const Layer* resolve_layer(const TrackDocument& document, std::string_view name);
const Sound* resolve_sound(const TrackDocument& document, std::string_view name);

}  // namespace lyre
