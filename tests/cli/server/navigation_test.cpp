// Definition, hover, outline and completion on documents held in memory:
// one that refers to every kind of entry, its own, an imported file's, a
// built-in library's and the built-in instruments.
#include "cli/server/navigation.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "track/format/source/std_libraries.h"

namespace lyre::server {
namespace {

const std::string main_path = "/lyre-nav/main.track";
const std::string kit_path = "/lyre-nav/kit.track";

// Line numbers from 0, as requests count them.
const std::string main_text =
    "@import kit.track\n"                      // 0
    "@import std:drums\n"                      // 1
    "\n"                                       // 2
    "# Songs\n"                                // 3
    "## main\n"                                // 4
    "@layer lead\n"                            // 5
    "@marker 8 top\n"                          // 6
    "@jump-at top coda via riff sound kick\n"  // 7
    "@jump top\n"                              // 8
    "\n"                                       // 9
    "## coda\n"                                // 10
    "@layer pad\n"                             // 11
    "\n"                                       // 12
    "# Layers\n"                               // 13
    "## lead\n"                                // 14
    "@tuning just\n"                           // 15
    "@effect reverb hall\n"                    // 16
    "bell 0 60 1\n"                            // 17
    "sine 1 62 1\n"                            // 18
    "motif riff 2 bell tuning just\n"          // 19
    "subtrack pad 4 organ\n"                   // 20
    "kick 6 36 1\n"                            // 21
    "ghost 7 36 1\n"                           // 22
    "\n"                                       // 23
    "# Motifs\n"                               // 24
    "## riff\n"                                // 25
    "0 7 0.25\n"                               // 26
    "\n"                                       // 27
    "# Sounds\n"                               // 28
    "## bell\n"                                // 29
    "tri 1\n"                                  // 30
    "wave glass 0.5\n"                         // 31
    "\n"                                       // 32
    "# Tunings\n"                              // 33
    "##   just\n"                              // 34
    "1 9/8 5/4\n"                              // 35
    "period 2\n"                               // 36
    "\n"                                       // 37
    "# Waves\n"                                // 38
    "## glass\n"                               // 39
    "0 0\n"                                    // 40
    "0.5 1\n"                                  // 41
    "1 0\n"                                    // 42
    "\n"                                       // 43
    "# Reverb\n"                               // 44
    "## hall\n"                                // 45
    "room_size 0.8\n";                         // 46

const std::string kit_text =
    "# Layers\n"      // 0
    "## pad\n"        // 1
    "organ 0 48 4\n"  // 2
    "\n"              // 3
    "# Sounds\n"      // 4
    "## organ  \n"    // 5
    "saw 1\n"         // 6
    "sine@2 0.5\n";   // 7

// The open texts, then the built-in libraries; no file is read.
const SourceReader reader = [](std::string_view name) -> std::expected<std::string, ParseError> {
  if (name == kit_path) return kit_text;
  if (auto library = std_source(name)) return std::string(*library);
  return std::unexpected(ParseError(ParseError::ImportRead{std::string(name), "not served"}));
};

struct PlaceCase {
  const char* name;
  std::size_t line;
  std::size_t column;
  std::string definition;  // "path line:begin-end", or "" for none
  std::string hover;       // the markdown, or "" for none
};

void PrintTo(const PlaceCase& c, std::ostream* os) { *os << c.name; }

std::string target_dump(const std::vector<Target>& targets) {
  std::string out;
  for (const Target& t : targets) {
    if (t.span.start.line != t.span.end.line) out += "<several lines>";
    out += t.path + " " + std::to_string(t.span.start.line) + ":" +
           std::to_string(t.span.start.column) + "-" + std::to_string(t.span.end.column);
  }
  return out;
}

class NavigationPlaceTest : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(NavigationPlaceTest, DefinitionAndHover) {
  LibraryCache libraries;
  const ImportSources sources{reader, libraries};
  const DocumentView view{"file://" + main_path, main_path, main_text};
  const TextPlace place{GetParam().line, GetParam().column};
  EXPECT_EQ(target_dump(definition_at(view, place, sources)), GetParam().definition);
  const auto hover = hover_at(view, place, sources);
  EXPECT_EQ(hover ? hover->markdown : "", GetParam().hover);
}

const std::string main_at = main_path + " ";
const std::string kit_at = kit_path + " ";

INSTANTIATE_TEST_SUITE_P(
    EveryKindOfName, NavigationPlaceTest,
    ::testing::Values(
        PlaceCase{"SongLayer", 5, 7, main_at + "14:3-7",
                  "layer `lead`, line 15\n\n4 notes, 2 placements"},
        PlaceCase{"SongLayerAtItsEnd", 5, 11, main_at + "14:3-7",
                  "layer `lead`, line 15\n\n4 notes, 2 placements"},
        PlaceCase{"SongLayerDirectiveWord", 5, 3, "", ""},
        PlaceCase{"ImportedLayer", 11, 8, kit_at + "1:3-6",
                  "layer `pad`, line 2 of kit.track\n\n1 note, 0 placements"},
        PlaceCase{"JumpAtMarker", 7, 9, main_at + "6:10-13", "marker `top`, line 7\n\nbeat 8"},
        PlaceCase{"JumpTargetSong", 7, 15, main_at + "10:3-7",
                  "song `coda`, line 11\n\n1 layer, tempo 120"},
        PlaceCase{"JumpTargetMarker", 8, 6, main_at + "6:10-13", "marker `top`, line 7\n\nbeat 8"},
        PlaceCase{"TransitionMotif", 7, 24, main_at + "25:3-7", "motif `riff`, line 26\n\n1 note"},
        PlaceCase{"TransitionSoundFromLibrary", 7, 35, "",
                  "sound `kick`, from std:drums\n\n1 harmonic"},
        PlaceCase{"LayerTuning", 15, 8, main_at + "34:5-9",
                  "tuning `just`, line 35\n\n3 steps, period 2"},
        PlaceCase{"NamedReverb", 16, 17, main_at + "45:3-7",
                  "reverb preset `hall`, line 46\n\n"
                  "room size 0.8, decay 0.7, mix 0.4, predelay 0.01"},
        PlaceCase{"NoteSound", 17, 0, main_at + "29:3-7", "sound `bell`, line 30\n\n2 harmonics"},
        PlaceCase{"NoteBuiltInInstrument", 18, 2, "",
                  "sound `sine`, built-in instrument\n\n1 harmonic"},
        PlaceCase{"NoteSoundFromLibrary", 21, 4, "", "sound `kick`, from std:drums\n\n1 harmonic"},
        PlaceCase{"NoteSoundUndefined", 22, 1, "", "sound `ghost`, not defined"},
        PlaceCase{"NoteStart", 17, 5, "", ""},
        PlaceCase{"MotifOfPlacement", 19, 6, main_at + "25:3-7", "motif `riff`, line 26\n\n1 note"},
        PlaceCase{"SoundOfMotifPlacement", 19, 14, main_at + "29:3-7",
                  "sound `bell`, line 30\n\n2 harmonics"},
        PlaceCase{"TuningOfMotifPlacement", 19, 29, main_at + "34:5-9",
                  "tuning `just`, line 35\n\n3 steps, period 2"},
        PlaceCase{"SubtrackLayer", 20, 10, kit_at + "1:3-6",
                  "layer `pad`, line 2 of kit.track\n\n1 note, 0 placements"},
        // The heading's trailing blanks are no part of the name.
        PlaceCase{"SubtrackSound", 20, 15, kit_at + "5:3-8",
                  "sound `organ`, line 6 of kit.track\n\n2 harmonics"},
        PlaceCase{"HarmonicWave", 31, 7, main_at + "39:3-8", "wave `glass`, line 40\n\n3 points"},
        PlaceCase{"HarmonicBuiltInWaveform", 30, 1, "", "wave `triangle`, built-in waveform"},
        PlaceCase{"Heading", 14, 4, "", ""}, PlaceCase{"PastTheLastLine", 99, 0, "", ""}));

TEST(NavigationTest, HoverSpansTheName) {
  LibraryCache libraries;
  const DocumentView view{"file://" + main_path, main_path, main_text};
  const auto hover = hover_at(view, {19, 15}, ImportSources{reader, libraries});
  ASSERT_TRUE(hover.has_value());
  EXPECT_EQ(hover->span, (TextSpan{{19, 13}, {19, 17}}));
}

TEST(NavigationTest, ADocumentWithoutAFileHasHoverButNoPlaceToGo) {
  LibraryCache libraries;
  const DocumentView view{"untitled:1", std::nullopt, "# Layers\n## a\nb 0 1 1\n# Sounds\n## b\n"};
  const ImportSources sources{reader, libraries};
  EXPECT_EQ(target_dump(definition_at(view, {2, 0}, sources)), "");
  const auto hover = hover_at(view, {2, 0}, sources);
  EXPECT_EQ(hover ? hover->markdown : "", "sound `b`, line 5\n\n0 harmonics");
}

// Through an import `as` an alias, a name that collides is renamed; its
// heading keeps the name as the imported file wrote it.
TEST(NavigationTest, RenamedImportLeadsToTheNameAsWritten) {
  LibraryCache libraries;
  const DocumentView view{"file://" + main_path, main_path,
                          "@import kit.track as kit\n# Layers\n## pad\norgan 0 1 1\n"
                          "# Songs\n## s\n@layer kit::pad\n"};
  const ImportSources sources{reader, libraries};
  EXPECT_EQ(target_dump(definition_at(view, {6, 9}, sources)), kit_path + " 1:3-6");
  const auto hover = hover_at(view, {6, 9}, sources);
  EXPECT_EQ(hover ? hover->markdown : "",
            "layer `kit::pad`, line 2 of kit.track\n\n1 note, 0 placements");
  EXPECT_EQ(target_dump(definition_at(view, {3, 1}, sources)), kit_path + " 5:3-8");
}

// Texts that fail to parse: the failing entries are left out and the rest
// still answers.
struct BrokenCase {
  const char* name;
  std::string text;
  TextPlace place;
  std::string hover;
};

void PrintTo(const BrokenCase& c, std::ostream* os) { *os << c.name; }

class NavigationBrokenTest : public ::testing::TestWithParam<BrokenCase> {};

TEST_P(NavigationBrokenTest, AnswersWhatStillParses) {
  LibraryCache libraries;
  const DocumentView view{"file:///lyre-nav/x.track", "/lyre-nav/x.track", GetParam().text};
  const auto hover = hover_at(view, GetParam().place, ImportSources{reader, libraries});
  EXPECT_EQ(hover ? hover->markdown : "", GetParam().hover);
}

const std::string layers_and_sounds = "# Layers\n## a\nb 0 60 1\n# Sounds\n## b\nsine 1\n";

INSTANTIATE_TEST_SUITE_P(
    Texts, NavigationBrokenTest,
    ::testing::Values(
        BrokenCase{"Fine", layers_and_sounds, {2, 0}, "sound `b`, line 5\n\n1 harmonic"},
        BrokenCase{"AnotherLayerFails",
                   layers_and_sounds + "# Layers\n## c\nb x 60 1\n",
                   {2, 0},
                   "sound `b`, line 5\n\n1 harmonic"},
        BrokenCase{"TheSoundFails",
                   "# Layers\n## a\nb 0 60 1\n# Sounds\n## b\n@decay fast\n",
                   {2, 0},
                   "sound `b`, line 5"},
        BrokenCase{"TheHoveredLayerFailsElsewhere",
                   "# Layers\n## a\nb 0 60 1\nb 1 60 x\n# Sounds\n## b\n",
                   {2, 0},
                   ""},
        BrokenCase{"StrayHeaderLine",
                   "@tempo 90\n" + layers_and_sounds,
                   {3, 0},
                   "sound `b`, line 6\n\n1 harmonic"},
        BrokenCase{"StrayPreambleLine",
                   "# Layers\nstray\n## a\nb 0 60 1\n# Sounds\n## b\n",
                   {3, 0},
                   "sound `b`, line 6\n\n0 harmonics"},
        BrokenCase{"HeadingSkipsALevel",
                   "### deep\n" + layers_and_sounds,
                   {3, 0},
                   "sound `b`, line 6\n\n1 harmonic"},
        BrokenCase{"BadMeta",
                   "# Meta\n@bogus x\n" + layers_and_sounds,
                   {4, 0},
                   "sound `b`, line 7\n\n1 harmonic"},
        BrokenCase{"OnlyHeadings", "#\n##\n###\n####\n#####\n", {0, 0}, ""},
        BrokenCase{"InvalidUtf8",
                   "\xff\xfe\n# Songs\n## \xc3\n@layer \xff\n",
                   {3, 8},
                   "layer `\xff`, not defined"},
        BrokenCase{"Empty", "", {0, 0}, ""}));

// Many failing entries: the repairs stop after a bound and leave the answer empty.
TEST(NavigationTest, ManyFailingEntriesGiveNothing) {
  std::string text = layers_and_sounds;
  for (int i = 0; i < 40; ++i) text += "# Layers\n## l" + std::to_string(i) + "\nb x 1 1\n";
  LibraryCache libraries;
  const DocumentView view{"file:///lyre-nav/x.track", "/lyre-nav/x.track", text};
  EXPECT_FALSE(hover_at(view, {2, 0}, ImportSources{reader, libraries}).has_value());
}

std::string outline_dump(const std::vector<OutlineSection>& outline) {
  auto span = [](const TextSpan& s) {
    return std::to_string(s.start.line) + ":" + std::to_string(s.start.column) + "-" +
           std::to_string(s.end.line) + ":" + std::to_string(s.end.column);
  };
  auto symbol = [&](const Symbol& s) {
    return s.name + " [" + s.detail + "] " + std::to_string(static_cast<int>(s.kind)) + " " +
           span(s.span) + " " + span(s.name_span) + "\n";
  };
  std::string out;
  for (const OutlineSection& section : outline) {
    out += symbol(section.section);
    for (const Symbol& entry : section.entries) out += "  " + symbol(entry);
  }
  return out;
}

TEST(NavigationTest, OutlineOfSectionsAndEntries) {
  const DocumentView view{"file://" + main_path, main_path, main_text};
  EXPECT_EQ(outline_dump(outline_of(view)),
            "Songs [2 entries] 3 3:0-12:0 3:2-3:7\n"
            "  main [1 layer, tempo 120] 2 4:0-8:9 4:3-4:7\n"
            "  coda [1 layer, tempo 120] 2 10:0-11:10 10:3-10:7\n"
            "Layers [1 entry] 3 13:0-23:0 13:2-13:8\n"
            "  lead [4 notes, 2 placements] 5 14:0-22:12 14:3-14:7\n"
            "Motifs [1 entry] 3 24:0-27:0 24:2-24:8\n"
            "  riff [1 note] 5 25:0-26:8 25:3-25:7\n"
            "Sounds [1 entry] 3 28:0-32:0 28:2-28:8\n"
            "  bell [2 harmonics] 12 29:0-31:14 29:3-29:7\n"
            "Tunings [1 entry] 3 33:0-37:0 33:2-33:9\n"
            "  just [3 steps, period 2] 13 34:0-36:8 34:5-34:9\n"
            "Waves [1 entry] 3 38:0-43:0 38:2-38:7\n"
            "  glass [3 points] 13 39:0-42:3 39:3-39:8\n"
            "Reverb [1 entry] 3 44:0-46:13 44:2-44:8\n"
            "  hall [room size 0.8, decay 0.7, mix 0.4, predelay 0.01] 13 45:0-46:13 "
            "45:3-45:7\n");
}

TEST(NavigationTest, OutlineOfAnEntryThatDoesNotParseHasNoDetails) {
  const DocumentView view{"untitled:1", std::nullopt,
                          "@import\n# Meta\n## Notes\ntext\n### deeper\nmore\n\n# Songs\n##\n"
                          "@tempo fast\n## s\n@tempo 90\n"};
  EXPECT_EQ(outline_dump(outline_of(view)),
            "Meta [1 entry] 3 1:0-6:0 1:2-1:6\n"
            "  Notes [] 13 2:0-5:4 2:3-2:8\n"
            "Songs [2 entries] 3 7:0-11:9 7:2-7:7\n"
            "  (no name) [] 2 8:0-9:11 8:2-8:2\n"
            "  s [0 layers, tempo 90] 2 10:0-11:9 10:3-10:4\n");
}

struct CompletionCase {
  const char* name;
  std::size_t line;
  std::size_t column;
  std::string labels;  // "label/kind/detail", comma-separated
};

void PrintTo(const CompletionCase& c, std::ostream* os) { *os << c.name; }

const std::string completion_text =
    "@import kit.track\n"  // 0
    "@\n"                  // 1
    "# Meta\n"             // 2
    "@\n"                  // 3
    "# Songs\n"            // 4
    "@\n"                  // 5
    "## s\n"               // 6
    "@layer \n"            // 7
    "@layer le xy\n"       // 8
    "@ju\n"                // 9
    "# Layers\n"           // 10
    "## lead\n"            // 11
    "be 0\n"               // 12
    "  pitch 0 0\n"        // 13
    "@\n"                  // 14
    "# Sounds\n"           // 15
    "## bell\n"            // 16
    "@\n"                  // 17
    "# Tunings\n"          // 18
    "## t\n"               // 19
    "@\n";                 // 20

class NavigationCompletionTest : public ::testing::TestWithParam<CompletionCase> {};

TEST_P(NavigationCompletionTest, LabelsForTheContext) {
  LibraryCache libraries;
  const DocumentView view{"file://" + main_path, main_path, completion_text};
  std::string labels;
  for (const Completion& c : completion_at(view, {GetParam().line, GetParam().column},
                                           ImportSources{reader, libraries})) {
    if (!labels.empty()) labels += ",";
    labels += c.label + "/" + std::to_string(static_cast<int>(c.kind)) + "/" + c.detail;
  }
  EXPECT_EQ(labels, GetParam().labels);
}

std::string directives(const std::vector<std::string>& words) {
  std::string out;
  for (const std::string& word : words) out += (out.empty() ? "" : ",") + word + "/14/directive";
  return out;
}

INSTANTIATE_TEST_SUITE_P(
    Contexts, NavigationCompletionTest,
    ::testing::Values(
        CompletionCase{"HeaderDirective", 1, 1, directives({"import"})},
        CompletionCase{"MetaDirectives", 3, 1, directives({"title", "author"})},
        CompletionCase{"SongsPreambleHasNone", 5, 1, ""},
        CompletionCase{"LayerNames", 7, 7, "lead/9/line 12,pad/9/line 2 of kit.track"},
        CompletionCase{"LayerNamesWhileTyping", 8, 9, "lead/9/line 12,pad/9/line 2 of kit.track"},
        CompletionCase{"AfterTheLayerName", 8, 12, ""},
        CompletionCase{"SongDirectives", 9, 3,
                       directives({"layer", "tempo", "signature", "length", "param", "marker",
                                   "seed", "jump", "jump-at"})},
        CompletionCase{"SoundNames", 12, 2,
                       "bell/6/line 17,organ/6/line 6 of kit.track,sine/6/built-in instrument,"
                       "triangle/6/built-in instrument,saw/6/built-in instrument,"
                       "soft_square/6/built-in instrument,hard_square/6/built-in instrument,"
                       "hill/6/built-in instrument"},
        CompletionCase{"AfterTheSound", 12, 3, ""}, CompletionCase{"IndentedLine", 13, 4, ""},
        CompletionCase{
            "LayerDirectives", 14, 1,
            directives({"volume", "pan", "mute", "solo", "root", "loop", "tuning", "effect"})},
        CompletionCase{
            "SoundDirectives", 17, 1,
            directives({"attack", "decay", "release", "sustain", "volume", "noise", "distortion",
                        "detune", "vol-jitter", "duty_sweep", "slide", "filter", "vibrato",
                        "tremolo", "arpeggio", "steps", "voice", "sample"})},
        CompletionCase{"TuningsHaveNone", 20, 1, ""}, CompletionCase{"OnAHeading", 16, 2, ""},
        CompletionCase{"PastTheEnd", 40, 0, ""}));

TEST(NavigationTest, EveryLibraryNameIsBuiltIn) {
  for (std::string_view name : kLibraryNames) EXPECT_TRUE(std_source(name).has_value()) << name;
}

TEST(NavigationTest, ImportCompletesLibrariesAndTrackFilesBeside) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / "lyre_navigation_import_test";
  fs::remove_all(dir);
  fs::create_directories(dir / "sub.track");
  for (const char* name : {"self.track", "b.track", "a.track", "notes.txt"}) {
    std::ofstream(dir / name) << "# Songs\n";
  }
  const std::string path = (dir / "self.track").string();
  LibraryCache libraries;
  const DocumentView view{"file://" + path, path, "@import \n# Songs\n"};
  std::string labels;
  for (const Completion& c : completion_at(view, {0, 8}, ImportSources{reader, libraries})) {
    labels += c.label + "/" + std::to_string(static_cast<int>(c.kind)) + "/" + c.detail + "\n";
  }
  fs::remove_all(dir);
  EXPECT_EQ(labels,
            "std:chiptune/9/built-in library\nstd:drums/9/built-in library\n"
            "std:electronic/9/built-in library\nstd:instruments/9/built-in library\n"
            "std:japanese/9/built-in library\nstd:orchestral/9/built-in library\n"
            "a.track/17/file\nb.track/17/file\n");
}

}  // namespace
}  // namespace lyre::server
