// The entry types and the track record (`track/multisong/`): each section's
// entry body read through the line readers, the record of the nine lists,
// and the whole-track checks. They know nothing of the way in or the command.
//
// The nine typed section lists of a `.track` document.
#pragma once

#include <array>
#include <expected>
#include <string>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

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

  // The nine sections, in field order: the heading, what an entry is
  // called, and how its errors show their line. Everything done to every
  // list goes through `for_each_list` or `lists()` in this order.
  struct Row {
    std::string_view heading;
    std::string_view entry;
    docformat::Numbering numbering;
  };
  static constexpr std::array<Row, 9> kSections = {{
      {"Songs", "song", docformat::Numbering::BodyLine},
      {"Layers", "layer", docformat::Numbering::FileLine},
      {"Sounds", "sound", docformat::Numbering::FileLine},
      {"Tunings", "tuning", docformat::Numbering::FileLine},
      {"Waves", "wave", docformat::Numbering::FileLine},
      {"Subtitles", "subtitle track", docformat::Numbering::BodyLine},
      {"Motifs", "motif", docformat::Numbering::FileLine},
      {"Snapshots", "snapshot", docformat::Numbering::BodyLine},
      {"Reverb", "reverb preset", docformat::Numbering::BodyLine},
  }};

  auto lists() {
    return std::tie(songs, layers, sounds, tunings, waves, subtitles, motifs, snapshots, reverb);
  }
  auto lists() const {
    return std::tie(songs, layers, sounds, tunings, waves, subtitles, motifs, snapshots, reverb);
  }
  // Calls f(list, row) for each of the nine lists with its row of the table.
  template <class F>
  void for_each_list(F&& f) {
    std::size_t index = 0;
    std::apply([&](auto&... list) { (f(list, kSections[index++]), ...); }, lists());
  }
  template <class F>
  void for_each_list(F&& f) const {
    std::size_t index = 0;
    std::apply([&](const auto&... list) { (f(list, kSections[index++]), ...); }, lists());
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

// The table's row for the entry type `T`.
template <class T, std::size_t I = 0>
constexpr const TrackSections::Row& section_of() {
  using List = std::remove_cvref_t<
      std::tuple_element_t<I, decltype(std::declval<const TrackSections&>().lists())>>;
  if constexpr (std::is_same_v<List, docformat::SectionList<T>>) {
    return TrackSections::kSections[I];
  } else {
    return section_of<T, I + 1>();
  }
}
template <class T>
constexpr docformat::Numbering numbering_of() {
  return section_of<T>().numbering;
}

using TrackDocument = docformat::Document<TrackSections>;
// Compiled once, in the library.
extern template struct docformat::Document<TrackSections>;

const Layer* resolve_layer(const TrackDocument& document, std::string_view name);
const Sound* resolve_sound(const TrackDocument& document, std::string_view name);

}  // namespace lyre
