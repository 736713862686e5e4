#include "cli/server/navigation.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <tuple>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "docformat/imports/imports.h"
#include "docformat/whitespace.h"
#include "lyre/song/sound/default_instrument.h"

namespace lyre::server {

namespace {

using docformat::Named;
using docformat::NamePlace;

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

// The lines of a text as the parser numbers them: split at "\n", a "\r"
// before it dropped, no line after a final "\n".
std::vector<std::string_view> split_lines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t newline = text.find('\n', pos);
    std::string_view line = text.substr(
        pos, newline == std::string_view::npos ? std::string_view::npos : newline - pos);
    if (line.ends_with('\r')) line.remove_suffix(1);
    lines.push_back(line);
    if (newline == std::string_view::npos) break;
    pos = newline + 1;
  }
  return lines;
}

// A line that begins with '#': the parser reads every one as a heading.
struct Heading {
  std::size_t line = 0;  // from 0
  std::size_t level = 0;
  std::string_view title;
  std::size_t column = 0;       // of the title on its line
  std::size_t section = kNone;  // the `#` heading above, by index; itself for one
  std::size_t entry = kNone;    // the `##` heading above, by index, for deeper ones
};

std::vector<Heading> headings_of(const std::vector<std::string_view>& lines) {
  std::vector<Heading> headings;
  std::size_t section = kNone;
  std::size_t entry = kNone;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string_view line = lines[i];
    if (!line.starts_with('#')) continue;
    Heading heading;
    heading.line = i;
    while (heading.level < line.size() && line[heading.level] == '#') ++heading.level;
    heading.title = trim(line.substr(heading.level));
    heading.column = heading.title.empty()
                         ? line.size()
                         : static_cast<std::size_t>(heading.title.data() - line.data());
    const std::size_t index = headings.size();
    if (heading.level == 1) {
      section = index;
      entry = kNone;
    } else if (heading.level == 2) {
      entry = index;
    }
    heading.section = section;
    heading.entry = heading.level >= 2 ? entry : kNone;
    headings.push_back(heading);
  }
  return headings;
}

// The last heading at or before `line`, or none.
const Heading* heading_at_or_before(const std::vector<Heading>& headings, std::size_t line) {
  const auto after = std::upper_bound(headings.begin(), headings.end(), line,
                                      [](std::size_t l, const Heading& h) { return l < h.line; });
  return after == headings.begin() ? nullptr : &*(after - 1);
}

// The line of the first heading after `line`, or the line count.
std::size_t next_heading_line(const std::vector<Heading>& headings, std::size_t line,
                              std::size_t line_count) {
  const auto after = std::upper_bound(headings.begin(), headings.end(), line,
                                      [](std::size_t l, const Heading& h) { return l < h.line; });
  return after == headings.end() ? line_count : after->line;
}

// The text as lines and headings, shared by every request.
struct Text {
  explicit Text(std::string_view text) : lines(split_lines(text)), headings(headings_of(lines)) {}
  std::vector<std::string_view> lines;
  std::vector<Heading> headings;
};

struct Loaded {
  std::unique_ptr<std::string> text;  // the document refers into it
  TrackDocument document;
  std::vector<bool> blank;  // the lines left out, by line from 0
};

// Whether the entry under the heading on `line` lost lines to a repair: its
// records then say nothing of what was written.
bool left_out(const Text& text, const std::vector<bool>& blank, std::size_t line) {
  const std::size_t end = next_heading_line(text.headings, line, text.lines.size());
  for (std::size_t i = line; i < end && i < blank.size(); ++i) {
    if (blank[i]) return true;
  }
  return false;
}

// How many failing blocks are left out before giving up: each try parses
// the whole text again.
constexpr std::size_t kMaxRepairs = 32;

// Blanks what holds the failing file line `failing` (from 1): a header or
// preamble line alone, an entry's body, and then its heading too. False when
// nothing is left to blank there.
bool blank_failing(const Text& text, std::size_t failing, std::vector<bool>& blank) {
  if (failing == 0 || failing > text.lines.size()) return false;
  const std::size_t at = failing - 1;
  const Heading* block = heading_at_or_before(text.headings, at);
  const std::size_t end = next_heading_line(text.headings, at, text.lines.size());
  auto blank_range = [&](std::size_t from, std::size_t to) {
    bool changed = false;
    for (std::size_t i = from; i < to; ++i) {
      changed = changed || !blank[i];
      blank[i] = true;
    }
    return changed;
  };
  if (!block || (block->level == 1 && block->line != at)) return blank_range(at, at + 1);
  if (block->line == at) return blank_range(at, end);
  return blank_range(block->line + 1, end) || blank_range(block->line, block->line + 1);
}

std::optional<Loaded> parse_repaired(const Text& text) {
  std::vector<bool> blank(text.lines.size(), false);
  for (std::size_t attempt = 0; attempt <= kMaxRepairs; ++attempt) {
    auto joined = std::make_unique<std::string>();
    for (std::size_t i = 0; i < text.lines.size(); ++i) {
      if (!blank[i]) joined->append(text.lines[i]);
      joined->push_back('\n');
    }
    auto parsed = parse_track(*joined);
    if (parsed) return Loaded{std::move(joined), std::move(*parsed), std::move(blank)};
    if (!blank_failing(text, parsed.error().place().line, blank)) return std::nullopt;
  }
  return std::nullopt;
}

// The document's records with what it imports merged in, when `sources`
// are given.
std::optional<Loaded> load(const DocumentView& view, const Text& text,
                           const ImportSources* sources) {
  auto loaded = parse_repaired(text);
  if (!loaded || !sources) return loaded;
  std::optional<std::string> base;
  if (view.path) base = docformat::parent_path(*view.path);
  // A failing import is the diagnostics' business; what did merge is used.
  (void)resolve_imports(loaded->document, base, false, sources->read, &sources->libraries);
  return loaded;
}

// --- what entries hold, in one line

std::string number(float value) {
  char buffer[32];
  const auto written = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, written.ptr);
}

std::string count(std::size_t n, std::string_view one, std::string_view many) {
  return std::to_string(n) + " " + std::string(n == 1 ? one : many);
}

template <class T>
std::string summary(const T&) {
  return {};
}
std::string summary(const Song& song) {
  return count(song.layers.size(), "layer", "layers") + ", tempo " + number(song.tempo);
}
std::string summary(const Layer& layer) {
  return count(layer.notes.size(), "note", "notes") + ", " +
         count(layer.motifs.size() + layer.subtracks.size(), "placement", "placements");
}
std::string summary(const Sound& sound) {
  std::string text = count(sound.harmonics.size(), "harmonic", "harmonics");
  if (const auto& zones = sound.details.get().sample_zones; !zones.empty()) {
    text += ", " + count(zones.size(), "sample zone", "sample zones");
  }
  return text;
}
std::string summary(const Tuning& tuning) {
  return count(tuning.size(), "step", "steps") + ", period " + number(tuning.period);
}
std::string summary(const Wave& wave) { return count(wave.points.size(), "point", "points"); }
std::string summary(const Motif& motif) { return count(motif.notes.size(), "note", "notes"); }
std::string summary(const ReverbPreset& preset) {
  return "room size " + number(preset.room_size) + ", decay " + number(preset.decay) + ", mix " +
         number(preset.mix) + ", predelay " + number(preset.predelay);
}

// --- names that refer to entries

enum class Kind { Song, Layer, Sound, Motif, Tuning, Wave, Reverb, Marker };

std::string_view kind_word(Kind kind) {
  switch (kind) {
    case Kind::Song:
      return "song";
    case Kind::Layer:
      return "layer";
    case Kind::Sound:
      return "sound";
    case Kind::Motif:
      return "motif";
    case Kind::Tuning:
      return "tuning";
    case Kind::Wave:
      return "wave";
    case Kind::Reverb:
      return "reverb preset";
    case Kind::Marker:
      return "marker";
  }
  return "name";
}

struct Reference {
  Kind kind = Kind::Song;
  std::string_view name;
  NamePlace at;
  // The song whose markers a marker name, or a jump target that is no
  // song, stands for.
  const Named<Song>* song = nullptr;
};

// The name of one of the document's own entries written at `place`; the
// end of a name still counts, where a cursor stands after typing it.
std::optional<Reference> reference_at(const TrackDocument& document, TextPlace place) {
  std::optional<Reference> found;
  auto consider = [&](Kind kind, std::string_view name, NamePlace at,
                      const Named<Song>* song = nullptr) {
    if (found || name.empty() || at.line != place.line + 1) return;
    if (place.column < at.begin || place.column > at.end()) return;
    found = Reference{kind, name, at, song};
  };
  auto jump = [&](const Jump& rule, const Named<Song>& song) {
    consider(Kind::Song, rule.target, rule.target_at, &song);
    if (rule.transition) {
      consider(Kind::Motif, rule.transition->motif, rule.transition->motif_at);
      consider(Kind::Sound, rule.transition->sound, rule.transition->sound_at);
    }
  };
  const TrackSections& sections = document.sections;
  for (const Named<Song>& entry : sections.songs.entries) {
    if (entry.origin) continue;
    const Song& song = entry.value;
    for (std::size_t i = 0; i < song.layers.size() && i < song.layers_at.size(); ++i) {
      consider(Kind::Layer, song.layers[i], song.layers_at[i]);
    }
    for (const Jump& j : song.jumps) jump(j, entry);
    for (const JumpAt& j : song.jump_ats) {
      if (const auto* marker = std::get_if<std::string>(&j.at)) {
        consider(Kind::Marker, *marker, j.marker_at, &entry);
      }
      jump(j, entry);
    }
  }
  for (const Named<Layer>& entry : sections.layers.entries) {
    if (entry.origin) continue;
    const Layer& layer = entry.value;
    if (const auto& tuning = layer.details.get().tuning) {
      consider(Kind::Tuning, *tuning, layer.details.get().tuning_at);
    }
    for (const Effect& effect : layer.effects) {
      if (const auto* reverb = std::get_if<Effect::NamedReverb>(&effect.kind)) {
        consider(Kind::Reverb, reverb->preset, reverb->preset_at);
      }
    }
    for (const Note& note : layer.notes) consider(Kind::Sound, layer.sound_of(note), note.sound_at);
    for (const MotifInstance& motif : layer.motifs) {
      consider(Kind::Motif, motif.motif, motif.motif_at);
      consider(Kind::Sound, motif.sound, motif.sound_at);
      if (motif.tuning) consider(Kind::Tuning, *motif.tuning, motif.tuning_at);
    }
    for (const SubtrackInstance& subtrack : layer.subtracks) {
      consider(Kind::Layer, subtrack.layer, subtrack.layer_at);
      if (subtrack.sound) consider(Kind::Sound, *subtrack.sound, subtrack.sound_at);
      if (subtrack.tuning) consider(Kind::Tuning, *subtrack.tuning, subtrack.tuning_at);
    }
  }
  for (const Named<Sound>& entry : sections.sounds.entries) {
    if (entry.origin) continue;
    for (const Harmonic& harmonic : entry.value.harmonics) {
      consider(Kind::Wave, harmonic.source, harmonic.source_at);
    }
  }
  return found;
}

// Where a name is defined, as hover tells it and definition goes there.
struct Found {
  enum class From { Document, File, Library, Instrument, Waveform, Nowhere };
  From from = From::Nowhere;
  std::optional<Kind> kind;  // when it is not what the reference named: a jump's marker
  std::string path;          // the file, or the library's name
  std::size_t line = 0;      // of the heading, or of the `@marker` line; from 0
  std::size_t column = 0;    // of the name on that line
  std::size_t length = 0;
  std::string summary;
};

// The title's length on a heading line, or `fallback` when the line is none.
std::size_t title_length(std::string_view line, std::size_t column, std::size_t fallback) {
  if (!line.starts_with('#') || column > line.size()) return fallback;
  return trim_end(line.substr(column)).size();
}

template <class T>
Found found_entry(const Named<T>& entry, const DocumentView& view, const Text& text,
                  const std::vector<bool>& blank) {
  Found found;
  found.line = entry.heading > 0 ? entry.heading - 1 : 0;
  found.column = entry.name_column;
  found.length = entry.name.size();
  found.summary = summary(entry.value);
  if (!entry.origin) {
    found.from = Found::From::Document;
    if (view.path) found.path = *view.path;
    if (found.line < text.lines.size()) {
      found.length = title_length(text.lines[found.line], found.column, found.length);
    }
    if (left_out(text, blank, found.line)) found.summary.clear();
  } else if (entry.origin->starts_with("std:")) {
    found.from = Found::From::Library;
    found.path = *entry.origin;
  } else {
    found.from = Found::From::File;
    found.path = *entry.origin;
  }
  return found;
}

// The `@marker <beat> <name>` line of `song` that names `name`.
std::optional<Found> find_marker(const Named<Song>& song, std::string_view name, const Text& text,
                                 const DocumentView& view) {
  if (song.heading == 0) return std::nullopt;
  const std::size_t end = next_heading_line(text.headings, song.heading - 1, text.lines.size());
  for (std::size_t i = song.heading; i < end; ++i) {
    const std::string_view line = text.lines[i];
    const FirstSplit directive = split_at_whitespace(trim_start(line));
    if (directive.head != "@marker") continue;
    const FirstSplit beat = split_at_whitespace(trim_start(directive.tail));
    const FirstSplit written = split_at_whitespace(trim_start(beat.tail));
    if (written.head != name) continue;
    Found found;
    found.from = Found::From::Document;
    found.kind = Kind::Marker;
    if (view.path) found.path = *view.path;
    found.line = i;
    found.column = static_cast<std::size_t>(written.head.data() - line.data());
    found.length = name.size();
    const auto& markers = song.value.markers;
    const auto marker = std::find_if(markers.begin(), markers.end(),
                                     [&](const Marker& m) { return m.name == name; });
    if (marker != markers.end()) found.summary = "beat " + number(marker->beat);
    return found;
  }
  return std::nullopt;
}

// A built-in instrument or waveform of that name.
std::optional<Found> built_in(std::string_view name, Found::From from) {
  const auto sound = default_instrument(name);
  if (!sound) return std::nullopt;
  Found found;
  found.from = from;
  if (from == Found::From::Instrument) found.summary = summary(*sound);
  return found;
}

// The entry that wins for the reference, what stands in for one, or nothing.
Found resolve(const Loaded& loaded, const Reference& reference, const DocumentView& view,
              const Text& text) {
  const TrackSections& sections = loaded.document.sections;
  auto entry = [&](const auto& list) -> std::optional<Found> {
    if (const auto* named = list.find(reference.name)) {
      return found_entry(*named, view, text, loaded.blank);
    }
    return std::nullopt;
  };
  std::optional<Found> found;
  switch (reference.kind) {
    case Kind::Song:
      found = entry(sections.songs);
      // A jump may also go to a marker of its own song.
      if (!found && reference.song)
        found = find_marker(*reference.song, reference.name, text, view);
      break;
    case Kind::Layer:
      found = entry(sections.layers);
      break;
    case Kind::Sound:
      found = entry(sections.sounds);
      if (!found) found = built_in(reference.name, Found::From::Instrument);
      break;
    case Kind::Motif:
      found = entry(sections.motifs);
      break;
    case Kind::Tuning:
      found = entry(sections.tunings);
      break;
    case Kind::Wave:
      found = entry(sections.waves);
      if (!found) found = built_in(reference.name, Found::From::Waveform);
      break;
    case Kind::Reverb:
      found = entry(sections.reverb);
      break;
    case Kind::Marker:
      if (reference.song) found = find_marker(*reference.song, reference.name, text, view);
      break;
  }
  return found ? std::move(*found) : Found{};
}

std::string file_name(std::string_view path) {
  const std::size_t slash = path.find_last_of('/');
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string where(const Found& found) {
  switch (found.from) {
    case Found::From::Document:
      return "line " + std::to_string(found.line + 1);
    case Found::From::File:
      return "line " + std::to_string(found.line + 1) + " of " + file_name(found.path);
    case Found::From::Library:
      return "from " + found.path;
    case Found::From::Instrument:
      return "built-in instrument";
    case Found::From::Waveform:
      return "built-in waveform";
    case Found::From::Nowhere:
      break;
  }
  return "not defined";
}

// The title's length on line `line` of a file, read to find it.
std::size_t title_length_in(const ImportSources& sources, const std::string& path, std::size_t line,
                            std::size_t column, std::size_t fallback) {
  auto text = sources.read(path);
  if (!text) return fallback;
  std::string_view rest = *text;
  for (std::size_t i = 0; i < line; ++i) {
    const std::size_t newline = rest.find('\n');
    if (newline == std::string_view::npos) return fallback;
    rest.remove_prefix(newline + 1);
  }
  std::string_view heading = rest.substr(0, rest.find('\n'));
  if (heading.ends_with('\r')) heading.remove_suffix(1);
  return title_length(heading, column, fallback);
}

// --- completion

constexpr std::array<std::string_view, 9> kSongDirectives = {
    "layer", "tempo", "signature", "length", "param", "marker", "seed", "jump", "jump-at"};
constexpr std::array<std::string_view, 8> kLayerDirectives = {"volume", "pan",  "mute",   "solo",
                                                              "root",   "loop", "tuning", "effect"};
constexpr std::array<std::string_view, 18> kSoundDirectives = {
    "attack",     "decay",   "release",    "sustain",    "volume", "noise",
    "distortion", "detune",  "vol-jitter", "duty_sweep", "slide",  "filter",
    "vibrato",    "tremolo", "arpeggio",   "steps",      "voice",  "sample"};
constexpr std::array<std::string_view, 2> kMetaDirectives = {"title", "author"};
constexpr std::array<std::string_view, 6> kInstruments = {"sine",        "triangle",    "saw",
                                                          "soft_square", "hard_square", "hill"};
// A directory of more `.track` files than this offers only the first ones.
constexpr std::size_t kMaxFiles = 1000;

bool is_word(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_';
  });
}

// The word being typed after `directive` and white space, as in
// "@layer le": whether `typed` is that.
bool after_directive(std::string_view typed, std::string_view directive) {
  const FirstSplit split = split_at_whitespace(typed);
  if (split.head != directive || !split.found) return false;
  return !split_at_whitespace(trim_start(split.tail)).found;
}

template <std::size_t N>
std::vector<Completion> keywords(const std::array<std::string_view, N>& words) {
  std::vector<Completion> completions;
  for (std::string_view word : words) {
    completions.push_back(Completion{std::string(word), CompletionKind::Keyword, "directive"});
  }
  return completions;
}

std::vector<Completion> files_beside(const DocumentView& view) {
  namespace fs = std::filesystem;
  if (!view.path) return {};
  const std::optional<std::string> directory = docformat::parent_path(*view.path);
  const std::string self = file_name(*view.path);
  std::vector<std::string> names;
  std::error_code error;
  fs::directory_iterator it(directory ? fs::path(*directory) : fs::path("."), error);
  for (; !error && it != fs::directory_iterator() && names.size() < kMaxFiles;
       it.increment(error)) {
    std::string name = it->path().filename().string();
    if (!name.ends_with(".track") || name == self) continue;
    std::error_code kind_error;
    if (!it->is_regular_file(kind_error)) continue;
    names.push_back(std::move(name));
  }
  std::sort(names.begin(), names.end());
  std::vector<Completion> completions;
  for (std::string& name : names) {
    completions.push_back(Completion{std::move(name), CompletionKind::File, "file"});
  }
  return completions;
}

template <class T>
std::string completion_detail(const Named<T>& entry) {
  if (!entry.origin) return "line " + std::to_string(entry.heading);
  if (entry.origin->starts_with("std:")) return "from " + *entry.origin;
  return "line " + std::to_string(entry.heading) + " of " + file_name(*entry.origin);
}

template <class T>
std::vector<Completion> entry_names(const docformat::SectionList<T>& list, CompletionKind kind,
                                    std::unordered_set<std::string>& seen) {
  std::vector<Completion> completions;
  for (const Named<T>& entry : list.entries) {
    if (entry.name.empty() || !seen.insert(entry.name).second) continue;
    completions.push_back(Completion{entry.name, kind, completion_detail(entry)});
  }
  return completions;
}

}  // namespace

std::vector<Target> definition_at(const DocumentView& document, TextPlace place,
                                  const ImportSources& sources) {
  const Text text(document.text);
  auto loaded = load(document, text, &sources);
  if (!loaded) return {};
  const auto reference = reference_at(loaded->document, place);
  if (!reference) return {};
  const Found found = resolve(*loaded, *reference, document, text);
  std::size_t length = found.length;
  switch (found.from) {
    case Found::From::Document:
      if (!document.path) return {};  // a document without a file is no place to go
      break;
    case Found::From::File:
      length = title_length_in(sources, found.path, found.line, found.column, length);
      break;
    default:
      return {};
  }
  return {Target{found.path, {{found.line, found.column}, {found.line, found.column + length}}}};
}

std::optional<HoverText> hover_at(const DocumentView& document, TextPlace place,
                                  const ImportSources& sources) {
  const Text text(document.text);
  auto loaded = load(document, text, &sources);
  if (!loaded) return std::nullopt;
  const auto reference = reference_at(loaded->document, place);
  if (!reference) return std::nullopt;
  const Found found = resolve(*loaded, *reference, document, text);
  std::string markdown = std::string(kind_word(found.kind.value_or(reference->kind))) + " `" +
                         std::string(reference->name) + "`, " + where(found);
  if (!found.summary.empty()) markdown += "\n\n" + found.summary;
  const NamePlace at = reference->at;
  return HoverText{std::move(markdown), TextSpan{{place.line, at.begin}, {place.line, at.end()}}};
}

std::vector<OutlineSection> outline_of(const DocumentView& document) {
  const Text text(document.text);
  // Details come from the records where the text parses; entries by heading line.
  std::unordered_map<std::size_t, std::string> details;
  if (auto loaded = load(document, text, nullptr)) {
    std::apply(
        [&](const auto&... lists) {
          auto add = [&](const auto& list) {
            for (const auto& entry : list.entries) {
              if (entry.heading == 0 || left_out(text, loaded->blank, entry.heading - 1)) continue;
              details[entry.heading] = summary(entry.value);
            }
          };
          (add(lists), ...);
        },
        loaded->document.sections.lists());
  }
  auto last_filled = [&](std::size_t from, std::size_t to) {
    // The last line of [from, to) that holds more than white space; `from` when none does.
    for (std::size_t i = to; i > from + 1; --i) {
      if (!is_blank(text.lines[i - 1])) return i - 1;
    }
    return from;
  };
  auto span_of = [&](std::size_t first, std::size_t last) {
    return TextSpan{{first, 0}, {last, text.lines[last].size()}};
  };
  auto name_span = [&](const Heading& heading) {
    return TextSpan{{heading.line, heading.column},
                    {heading.line, heading.column + heading.title.size()}};
  };
  auto name_of = [](const Heading& heading) {
    return heading.title.empty() ? std::string("(no name)") : std::string(heading.title);
  };
  std::vector<OutlineSection> outline;
  const std::vector<Heading>& headings = text.headings;
  for (std::size_t i = 0; i < headings.size(); ++i) {
    const Heading& heading = headings[i];
    if (heading.level == 1) {
      std::size_t next = i + 1;
      while (next < headings.size() && headings[next].level != 1) ++next;
      const std::size_t end = next < headings.size() ? headings[next].line : text.lines.size();
      OutlineSection section;
      section.section =
          Symbol{name_of(heading), "", SymbolKind::Namespace,
                 span_of(heading.line, std::max(heading.line, end - 1)), name_span(heading)};
      outline.push_back(std::move(section));
      continue;
    }
    if (heading.level != 2 || outline.empty() || heading.section == kNone) continue;
    std::size_t next = i + 1;
    while (next < headings.size() && headings[next].level > 2) ++next;
    const std::size_t end = next < headings.size() ? headings[next].line : text.lines.size();
    const std::string_view section = headings[heading.section].title;
    SymbolKind kind = SymbolKind::Variable;
    if (section == "Songs") kind = SymbolKind::Module;
    if (section == "Layers" || section == "Motifs") kind = SymbolKind::Class;
    if (section == "Sounds") kind = SymbolKind::Function;
    const auto detail = details.find(heading.line + 1);
    outline.back().entries.push_back(
        Symbol{name_of(heading), detail == details.end() ? std::string() : detail->second, kind,
               span_of(heading.line, last_filled(heading.line, end)), name_span(heading)});
  }
  for (OutlineSection& section : outline) {
    section.section.detail = count(section.entries.size(), "entry", "entries");
  }
  return outline;
}

std::vector<Completion> completion_at(const DocumentView& document, TextPlace place,
                                      const ImportSources& sources) {
  const Text text(document.text);
  if (place.line > text.lines.size()) return {};
  const std::string_view line = place.line < text.lines.size() ? text.lines[place.line] : "";
  const std::string_view prefix = line.substr(0, std::min(place.column, line.size()));
  if (prefix.starts_with('#')) return {};
  const std::string_view typed = trim_start(prefix);
  const Heading* block = heading_at_or_before(text.headings, place.line);
  const Heading* section =
      block && block->section != kNone ? &text.headings[block->section] : nullptr;
  const bool in_entry = block && block->entry != kNone;
  const std::string_view section_name = section ? section->title : std::string_view();

  if (typed.starts_with('@') && is_word(typed.substr(1))) {
    if (!section) return keywords(std::array<std::string_view, 1>{"import"});
    if (section_name == "Meta" && !in_entry) return keywords(kMetaDirectives);
    if (!in_entry) return {};
    if (section_name == "Songs") return keywords(kSongDirectives);
    if (section_name == "Layers") return keywords(kLayerDirectives);
    if (section_name == "Sounds") return keywords(kSoundDirectives);
    return {};
  }
  if (!section && after_directive(typed, "@import")) {
    std::vector<Completion> completions;
    for (std::string_view name : kLibraryNames) {
      completions.push_back(
          Completion{std::string(name), CompletionKind::Module, "built-in library"});
    }
    for (Completion& file : files_beside(document)) completions.push_back(std::move(file));
    return completions;
  }
  const bool layer_names = in_entry && section_name == "Songs" && after_directive(typed, "@layer");
  // A note line starts at the line's start with its sound.
  const bool sound_names = in_entry && section_name == "Layers" && typed.size() == prefix.size() &&
                           !typed.starts_with('@') && !split_at_whitespace(typed).found;
  if (!layer_names && !sound_names) return {};
  auto loaded = load(document, text, &sources);
  if (!loaded) return {};
  std::unordered_set<std::string> seen;
  if (layer_names) {
    return entry_names(loaded->document.sections.layers, CompletionKind::Module, seen);
  }
  std::vector<Completion> completions =
      entry_names(loaded->document.sections.sounds, CompletionKind::Variable, seen);
  for (std::string_view instrument : kInstruments) {
    if (!seen.insert(std::string(instrument)).second) continue;
    completions.push_back(
        Completion{std::string(instrument), CompletionKind::Variable, "built-in instrument"});
  }
  return completions;
}

}  // namespace lyre::server
