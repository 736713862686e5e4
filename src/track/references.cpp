#include <algorithm>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "docformat/text.h"
#include "lyre/song/sound/default_instrument.h"
#include "lyre/track.h"
#include "track/sound_scan.h"

namespace lyre {

LayerCheck check_layers(const TrackDocument& document) {
  LayerCheck check;
  for (const auto& song : document.sections.songs.entries) {
    for (const std::string& name : song.value.layers) {
      if (const Layer* layer = resolve_layer(document, name)) {
        check.note_count += layer->notes.size();
      } else {
        check.unresolved.push_back(cat(song.name, ":", name));
      }
    }
  }
  return check;
}

// Walks the layers the songs reach and reports each place where one of them
// names a sound that nothing defines.
class SoundScan {
 public:
  SoundScan(const TrackDocument& document, const UnknownSoundSink& unknown)
      : document_(document),
        unknown_(unknown),
        visited_(document.sections.layers.entries.size(), false) {}

  void scan_songs() {
    // A layer's records do not depend on the song that reaches it, so one
    // scan serves every song: each layer is read once, however many use it.
    for (const auto& song : document_.sections.songs.entries) {
      for (const std::string& name : song.value.layers) scan_song_layer(name);
    }
  }
  // By position in the layer list: whether a song reaches the layer.
  const std::vector<bool>& reached() const { return visited_; }

 private:
  // Scans one of the song's layers and, depth first through its subtrack
  // placements, the layers below it. The walk keeps its own stack so that a
  // long chain of placements cannot exhaust the call stack.
  void scan_song_layer(std::string_view name) {
    enter(name);
    while (!stack_.empty()) {
      Frame& top = stack_.back();
      if (top.next == top.layer->subtracks.size()) {
        stack_.pop_back();
        continue;
      }
      enter(top.layer->subtracks[top.next++].layer);
    }
  }

  struct Frame {
    const Layer* layer;
    std::size_t next;
  };

  void enter(std::string_view name) {
    // A name always resolves to the same entry, so marking the entry visited
    // is marking the name; a name that resolves to nothing is skipped anyway.
    const auto* entry = document_.sections.layers.find(name);
    if (!entry) return;
    const auto position =
        static_cast<std::size_t>(entry - document_.sections.layers.entries.data());
    if (visited_[position]) return;
    visited_[position] = true;
    const Layer* layer = &entry->value;
    // Each sound the notes play is looked up once, then each note's index.
    sound_exists_.clear();
    for (const std::string& sound : layer->sounds) sound_exists_.push_back(exists(sound));
    for (const Note& note : layer->notes) {
      if (note.sound < sound_exists_.size() && !sound_exists_[note.sound]) {
        unknown_(*entry, layer->sound_of(note), note.sound_at);
      }
    }
    for (const MotifInstance& motif : layer->motifs) check(*entry, motif.sound, motif.sound_at);
    for (const SubtrackInstance& subtrack : layer->subtracks) {
      if (subtrack.sound) check(*entry, *subtrack.sound, subtrack.sound_at);
    }
    stack_.push_back(Frame{layer, 0});
  }

  void check(const docformat::Named<Layer>& layer, std::string_view sound,
             docformat::NamePlace at) {
    if (!exists(sound)) unknown_(layer, sound, at);
  }

  bool exists(std::string_view sound) {
    // Placements mostly repeat one sound: the last one found is compared
    // before any hashing.
    if (sound.empty() || sound == last_known_) return true;
    if (known_.contains(sound) || resolve_sound(document_, sound) || default_instrument(sound)) {
      known_.insert(sound);
      last_known_ = sound;
      return true;
    }
    return false;
  }

  const TrackDocument& document_;
  const UnknownSoundSink& unknown_;
  std::vector<bool> visited_;                   // by position in the layer list
  std::unordered_set<std::string_view> known_;  // sounds found to exist
  std::string_view last_known_;
  std::vector<bool> sound_exists_;  // by index in the layer being entered
  std::vector<Frame> stack_;
};

std::vector<bool> scan_song_sounds(const TrackDocument& document, const UnknownSoundSink& unknown) {
  SoundScan scan(document, unknown);
  scan.scan_songs();
  return scan.reached();
}

std::vector<std::string> unknown_sounds(const TrackDocument& document) {
  std::vector<std::string> unknown;
  scan_song_sounds(document,
                   [&](const docformat::Named<Layer>& layer, std::string_view sound,
                       docformat::NamePlace) { unknown.push_back(cat(layer.name, ":", sound)); });
  std::sort(unknown.begin(), unknown.end());
  unknown.erase(std::unique(unknown.begin(), unknown.end()), unknown.end());
  return unknown;
}

}  // namespace lyre
