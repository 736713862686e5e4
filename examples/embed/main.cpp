// What a player would see of a .track file: each song with its tempo,
// signature and layers; for each layer its note count and the sounds it
// plays, with the source that defines each sound once imports are merged.
//
//   player_view examples/boss_battle.track
#include <lyre/song/sound/default_instrument.h>
#include <lyre/track.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <unordered_set>
#include <vector>

namespace {

// The sounds a layer plays, each once, in order of first use.
std::vector<std::string> sounds_of(const lyre::Layer& layer) {
  std::vector<std::string> names;
  std::unordered_set<std::string> seen;
  auto add = [&](const std::string& name) {
    if (!name.empty() && seen.insert(name).second) names.push_back(name);
  };
  for (const lyre::Note& note : layer.notes) add(std::string(layer.sound_of(note)));
  for (const lyre::MotifInstance& motif : layer.motifs) add(motif.sound);
  for (const lyre::SubtrackInstance& subtrack : layer.subtracks) {
    if (subtrack.sound) add(*subtrack.sound);
  }
  return names;
}

// Where a sound is defined: the import it came from, this file, or the
// built-in waveforms.
std::string source_of(const lyre::TrackDocument& document, const std::string& sound) {
  if (const auto* entry = document.sections.sounds.find(sound)) {
    return entry->origin.value_or("this file");
  }
  if (lyre::default_instrument(sound)) return "built-in";
  return "missing";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: player_view <file.track>\n";
    return 2;
  }
  const std::string path = argv[1];
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    std::cerr << path << ": cannot open\n";
    return 1;
  }
  std::stringstream text;
  text << file.rdbuf();

  // The document refers into the text, so the text must outlive it.
  const std::string source = text.str();
  auto document = lyre::parse_track(source);
  if (!document) {
    std::cerr << path << ": " << document.error().text() << '\n';
    return 1;
  }
  // Relative imports resolve beside the file; "std:" libraries are built in.
  const std::string base = std::filesystem::path(path).parent_path().string();
  if (auto resolved = lyre::resolve_imports(*document, base); !resolved) {
    std::cerr << path << ": " << resolved.error().text() << '\n';
    return 1;
  }

  std::cout << path << ": " << document->meta.title.value_or("untitled") << '\n';
  for (const auto& entry : document->sections.songs.entries) {
    const lyre::Song& song = entry.value;
    std::cout << "song " << entry.name << ": tempo " << song.tempo << ", "
              << song.signature.beats_per_bar << '/' << song.signature.beat_unit << '\n';
    for (const std::string& layer_name : song.layers) {
      const lyre::Layer* layer = lyre::resolve_layer(*document, layer_name);
      if (!layer) {
        std::cout << "  " << layer_name << ": missing\n";
        continue;
      }
      std::cout << "  " << layer_name << ": " << layer->notes.size() << " notes;";
      const std::vector<std::string> sounds = sounds_of(*layer);
      if (sounds.empty()) std::cout << " no sounds";
      for (std::size_t i = 0; i < sounds.size(); ++i) {
        std::cout << (i == 0 ? " " : ", ") << sounds[i] << " (" << source_of(*document, sounds[i])
                  << ')';
      }
      std::cout << '\n';
    }
  }
  return 0;
}
