#include "lyre/track/name_problems.h"

#include <string>
#include <unordered_set>
#include <utility>
#include <variant>

#include "docformat/text.h"
#include "lyre/song/sound/default_instrument.h"
#include "track/sound_scan.h"

namespace lyre {

namespace {

class NameRules {
 public:
  explicit NameRules(const TrackDocument& document) : document_(document) {}

  std::vector<NameProblem> run() && {
    check_songs();
    const std::vector<bool> reached = scan_song_sounds(
        document_,
        [&](const docformat::Named<Layer>& layer, std::string_view sound, docformat::NamePlace at) {
          add("unknown-sound", true, cat("unknown sound '", sound, "'"), layer.origin, at);
        });
    const auto& layers = document_.sections.layers.entries;
    for (std::size_t i = 0; i < layers.size(); ++i) {
      if (!layers[i].origin) check_own_layer(layers[i].value, !reached[i]);
    }
    for (const auto& sound : document_.sections.sounds.entries) {
      if (!sound.origin) check_sources(sound.value);
    }
    check_duplicates();
    return std::move(problems_);
  }

 private:
  void add(std::string_view rule, bool error, std::string message,
           const std::optional<std::string>& origin, docformat::NamePlace at) {
    problems_.push_back(NameProblem{rule, error, std::move(message), origin, at});
  }
  void warn(std::string_view rule, std::string message, docformat::NamePlace at) {
    add(rule, false, std::move(message), std::nullopt, at);
  }

  bool sound_defined(std::string_view name) const {
    return resolve_sound(document_, name) || default_instrument(name);
  }
  void check_motif(std::string_view name, docformat::NamePlace at) {
    if (!document_.sections.motifs.find(name))
      warn("unknown-motif", cat("unknown motif '", name, "'"), at);
  }
  void check_tuning(const std::optional<std::string>& name, docformat::NamePlace at) {
    if (!name || name->empty() || document_.sections.tunings.find(*name)) return;
    warn("unknown-tuning", cat("unknown tuning '", *name, "'"), at);
  }
  // A sound the verdict does not look up: named where no song's layers reach.
  void check_unchecked_sound(std::string_view name, docformat::NamePlace at) {
    if (name.empty() || sound_defined(name)) return;
    warn("unknown-sound", cat("unknown sound '", name, "'"), at);
  }

  void check_songs() {
    for (const auto& entry : document_.sections.songs.entries) {
      const Song& song = entry.value;
      // Every song counts towards the verdict, imported ones included.
      for (std::size_t i = 0; i < song.layers.size(); ++i) {
        if (resolve_layer(document_, song.layers[i])) continue;
        add("unknown-layer", true, cat("unknown layer '", song.layers[i], "'"), entry.origin,
            i < song.layers_at.size() ? song.layers_at[i] : docformat::NamePlace{});
      }
      if (entry.origin) continue;
      for (const Jump& jump : song.jumps) check_transition(jump);
      std::unordered_set<std::string_view> markers;
      for (const Marker& marker : song.markers) markers.insert(marker.name);
      for (const JumpAt& jump : song.jump_ats) {
        if (const auto* marker = std::get_if<std::string>(&jump.at);
            marker && !markers.contains(*marker)) {
          warn("unknown-marker", cat("unknown marker '", *marker, "'"), jump.marker_at);
        }
        check_transition(jump);
      }
    }
  }
  void check_transition(const Jump& jump) {
    if (!jump.transition) return;
    check_motif(jump.transition->motif, jump.transition->motif_at);
    check_unchecked_sound(jump.transition->sound, jump.transition->sound_at);
  }

  void check_own_layer(const Layer& layer, bool unreached) {
    check_tuning(layer.details.get().tuning, layer.details.get().tuning_at);
    for (const Effect& effect : layer.effects) {
      const auto* reverb = std::get_if<Effect::NamedReverb>(&effect.kind);
      if (reverb && !document_.sections.reverb.find(reverb->preset)) {
        warn("unknown-reverb", cat("unknown reverb preset '", reverb->preset, "'"),
             reverb->preset_at);
      }
    }
    for (const MotifInstance& motif : layer.motifs) {
      check_motif(motif.motif, motif.motif_at);
      check_tuning(motif.tuning, motif.tuning_at);
    }
    for (const SubtrackInstance& subtrack : layer.subtracks) {
      if (!document_.sections.layers.find(subtrack.layer)) {
        warn("unknown-subtrack", cat("unknown layer '", subtrack.layer, "'"), subtrack.layer_at);
      }
      check_tuning(subtrack.tuning, subtrack.tuning_at);
    }
    if (!unreached) return;
    for (const Note& note : layer.notes) check_unchecked_sound(layer.sound_of(note), note.sound_at);
    for (const MotifInstance& motif : layer.motifs)
      check_unchecked_sound(motif.sound, motif.sound_at);
    for (const SubtrackInstance& subtrack : layer.subtracks) {
      if (subtrack.sound) check_unchecked_sound(*subtrack.sound, subtrack.sound_at);
    }
  }

  void check_sources(const Sound& sound) {
    for (const Harmonic& harmonic : sound.harmonics) {
      if (is_waveform(harmonic.source) || document_.sections.waves.find(harmonic.source)) continue;
      warn("unknown-wave", cat("unknown waveform or wave '", harmonic.source, "'"),
           harmonic.source_at);
    }
  }

  void check_duplicates() {
    document_.sections.for_each_list([&](const auto& list, const TrackSections::Row& row) {
      check_duplicates(list, row.entry);
    });
  }
  template <class List>
  void check_duplicates(const List& list, std::string_view kind) {
    for (const auto& entry : list.entries) {
      if (entry.origin) continue;
      const auto* first = list.find(entry.name);
      if (first == &entry || first == nullptr) continue;
      const auto at =
          docformat::NamePlace::span(entry.heading, entry.name_column, entry.name.size());
      warn("duplicate-entry",
           cat("duplicate ", kind, " '", entry.name, "': the entry on line ",
               std::to_string(first->heading), " is used instead"),
           at);
    }
  }

  const TrackDocument& document_;
  std::vector<NameProblem> problems_;
};

}  // namespace

std::vector<NameProblem> name_problems(const TrackDocument& document) {
  return NameRules(document).run();
}

}  // namespace lyre
