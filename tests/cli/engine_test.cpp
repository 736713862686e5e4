// The engine: every problem of a text, each at its place, in the order found.
#include "cli/engine.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace lyre::cli {
namespace {

// "{line}:{column}-{end_line}:{end_column} {severity} {rule}: {message}", one a line,
// in report order.
std::string dump(std::vector<Finding> findings, const std::string& path) {
  sort_findings(findings);
  std::string out;
  for (const Finding& f : findings) {
    EXPECT_EQ(f.path, path);
    out += std::to_string(f.line) + ":" + std::to_string(f.column) + "-" +
           std::to_string(f.end_line) + ":" + std::to_string(f.end_column) + " " +
           std::string(severity_word(f.severity)) + " " + f.rule + ": " + f.message + "\n";
  }
  return out;
}

struct EngineCase {
  const char* name;
  std::string text;
  std::string findings;
};

void PrintTo(const EngineCase& c, std::ostream* os) { *os << c.name; }

class EngineTest : public ::testing::TestWithParam<EngineCase> {};

TEST_P(EngineTest, EveryProblemAtItsPlace) {
  const EngineCase& c = GetParam();
  LibraryCache libraries;
  const StdinText input{"in.track", std::string(), c.text};
  EXPECT_EQ(dump(check_stdin(input, libraries), "in.track"), c.findings);
}

const std::string meta_message =
    "'@title' outside a song block does nothing: only '@import' is a document-level directive, "
    "a song header belongs in a '## <name>' block under '# Songs'";

INSTANTIATE_TEST_SUITE_P(
    Problems, EngineTest,
    ::testing::Values(
        EngineCase{"Passes", "# Songs\n## intro\n@layer m\n# Layers\n## m\nsine 0 60 1\n", ""},
        EngineCase{"PassesWithLibrary", "@import std:drums\n# Songs\n", ""},
        // Each error stands at the token its message quotes, on its file line,
        // and its message drops the line numbers lyrelint puts before it.
        EngineCase{"SongParse", "# Songs\n## intro\n@tempo fast\n",
                   "3:8-3:12 error parse: invalid number for tempo: 'fast'\n"},
        EngineCase{"SoundParseAtFileLine", "# Sounds\n## pad\nsine 1\n\n## lead\n@volume loud\n",
                   "6:9-6:13 error parse: invalid number for volume: 'loud'\n"},
        EngineCase{"ColumnsCountCodePoints", "# Songs\n## é\n@tempo ünf\n",
                   "3:8-3:11 error parse: invalid number for tempo: 'ünf'\n"},
        EngineCase{"SplitError", "### deep\n",
                   "1:1-1:9 error parse: subheader without an enclosing header\n"},
        EngineCase{"MetaDirective", "@import std:drums\n\n@title Demo\n",
                   "3:1-3:7 error header: " + meta_message + "\n"},
        EngineCase{"Preamble", "# Layers\nkick: x\n",
                   "2:1-2:8 error header: 'kick: x' sits before the first block of '# Layers', "
                   "where nothing reads it: move it into a '## <name>' block under '# Layers'\n"},
        EngineCase{"UnknownLibrary", "@import std:nothing\n",
                   "1:9-1:20 error import: import 'std:nothing': read error: unknown std import "
                   "(enable the 'std-instruments' feature)\n"},
        EngineCase{"UnresolvedLayers", "# Songs\n## intro\n@layer b\n@layer  a\n",
                   "3:8-3:9 error unknown-layer: unknown layer 'b'\n"
                   "4:9-4:10 error unknown-layer: unknown layer 'a'\n"},
        EngineCase{"UnknownSoundAtEachPlace",
                   "# Songs\n## s\n@layer m\n# Layers\n## m\nharp 0 60 1\nsine 1 60 1\n"
                   "harp 2 60 1\nmotif r 0 harp\nsubtrack m 0 flute\n# Motifs\n## r\n0 0 1\n",
                   "6:1-6:5 error unknown-sound: unknown sound 'harp'\n"
                   "8:1-8:5 error unknown-sound: unknown sound 'harp'\n"
                   "9:11-9:15 error unknown-sound: unknown sound 'harp'\n"
                   "10:14-10:19 error unknown-sound: unknown sound 'flute'\n"},
        // Reading goes on after an error, at the next entry or heading.
        EngineCase{"EveryEntryError",
                   "# Songs\n## a\n@tempo fast\n## b\n@tempo slow\n# Sounds\n## s\n@volume x\n",
                   "3:8-3:12 error parse: invalid number for tempo: 'fast'\n"
                   "5:8-5:12 error parse: invalid number for tempo: 'slow'\n"
                   "8:9-8:10 error parse: invalid number for volume: 'x'\n"},
        EngineCase{"AfterASplitError", "### deep\n# Songs\n## a\n@tempo fast\n",
                   "1:1-1:9 error parse: subheader without an enclosing header\n"
                   "4:8-4:12 error parse: invalid number for tempo: 'fast'\n"},
        EngineCase{"EveryHeaderLine", "@title a\n@composer b\n# Layers\nx\ny\n",
                   "1:1-1:7 error header: " + std::string(meta_message) + "\n" +
                       "2:1-2:10 error header: '@composer' outside a song block does nothing: "
                       "only '@import' is a document-level directive, a song header belongs in "
                       "a '## <name>' block under '# Songs'\n"
                       "4:1-4:2 error header: 'x' sits before the first block of '# Layers', "
                       "where nothing reads it: move it into a '## <name>' block under "
                       "'# Layers'\n"
                       "5:1-5:2 error header: 'y' sits before the first block of '# Layers', "
                       "where nothing reads it: move it into a '## <name>' block under "
                       "'# Layers'\n"},
        // A failed entry still defines its name: one mistake, one finding.
        EngineCase{"FailedEntryStillDefined",
                   "# Songs\n## s\n@layer m\n# Layers\n## m\nharp x 60 1\n",
                   "6:6-6:7 error parse: invalid number for start: 'x'\n"},
        EngineCase{"EveryImportFollowed", "@import std:nothing\n@import std:none\n",
                   "1:9-1:20 error import: import 'std:nothing': read error: unknown std import "
                   "(enable the 'std-instruments' feature)\n"
                   "2:9-2:17 error import: import 'std:none': read error: unknown std import "
                   "(enable the 'std-instruments' feature)\n"},
        // Names the verdict never looks up are warnings, at the name.
        EngineCase{"Warnings",
                   "# Songs\n## s\n@marker 0 top\n@layer m\n@jump-at verse s via riff sound "
                   "flutte\n@jump-at top s\n# Layers\n## m\n@tuning just_majr\n@effect reverb "
                   "grotta\nsine 0 60 1\nmotif drip_rn 0 sine tuning eq\nsubtrack c 0\n"
                   "## loose\nharpp 0 60 1\n# Sounds\n## pad\nsinee 1\nwave shape 1\n",
                   "5:10-5:15 warning unknown-marker: unknown marker 'verse'\n"
                   "5:22-5:26 warning unknown-motif: unknown motif 'riff'\n"
                   "5:33-5:39 warning unknown-sound: unknown sound 'flutte'\n"
                   "9:9-9:18 warning unknown-tuning: unknown tuning 'just_majr'\n"
                   "10:16-10:22 warning unknown-reverb: unknown reverb preset 'grotta'\n"
                   "12:7-12:14 warning unknown-motif: unknown motif 'drip_rn'\n"
                   "12:29-12:31 warning unknown-tuning: unknown tuning 'eq'\n"
                   "13:10-13:11 warning unknown-subtrack: unknown layer 'c'\n"
                   "15:1-15:6 warning unknown-sound: unknown sound 'harpp'\n"
                   "18:1-18:6 warning unknown-wave: unknown waveform or wave 'sinee'\n"
                   "19:6-19:11 warning unknown-wave: unknown waveform or wave 'shape'\n"},
        EngineCase{"NamesThatResolveAreQuiet",
                   "# Songs\n## s\n@marker 0 top\n@layer m\n@jump-at top s via r sound sine\n"
                   "# Layers\n## m\n@tuning t\n@effect reverb hall\nmotif r 0 sine tuning t\n"
                   "subtrack m 0\n# Tunings\n## t\n1/1\n# Motifs\n## r\n0 0 1\n# Reverb\n"
                   "## hall\n# Sounds\n## pad\nhill 1\ntri 1\n",
                   ""},
        EngineCase{"DuplicateEntries",
                   "# Sounds\n## pad\nsine 1\n## pad\nsaw 1\n# Sounds\n## pad\nhill 1\n"
                   "# Subtitles\n## en\n## en\n",
                   "4:4-4:7 warning duplicate-entry: duplicate sound 'pad': the entry on line 2 "
                   "is used instead\n"
                   "7:4-7:7 warning duplicate-entry: duplicate sound 'pad': the entry on line 2 "
                   "is used instead\n"
                   "11:4-11:6 warning duplicate-entry: duplicate subtitle track 'en': the entry "
                   "on line 10 is used instead\n"}));

TEST(EngineTest, UnreadableStandardInputIsARead) {
  LibraryCache libraries;
  const StdinText input{"-", std::string(), std::unexpected("invalid UTF-8 on line 2")};
  EXPECT_EQ(dump(check_stdin(input, libraries), "-"),
            "1:1-1:2 error read: invalid UTF-8 on line 2\n");
}

struct ReaderCase {
  const char* name;
  std::string text;
  std::string read;  // the names asked for, one a line
  std::string findings;
};

void PrintTo(const ReaderCase& c, std::ostream* os) { *os << c.name; }

class StdinReaderTest : public ::testing::TestWithParam<ReaderCase> {};

// Imports of standard input come from the reader the caller gives, and
// only from it.
TEST_P(StdinReaderTest, ImportsThroughTheGivenReader) {
  const ReaderCase& c = GetParam();
  std::string read;
  const SourceReader serve = [&](std::string_view name) -> std::expected<std::string, ParseError> {
    read += std::string(name) + "\n";
    if (name == "/in/lib.track") return std::string("# Sounds\n\n## pad\nsine@0.5 1\n");
    return std::unexpected(ParseError(ParseError::ImportRead{std::string(name), "not served"}));
  };
  LibraryCache libraries;
  const StdinText input{"/in/x.track", "/in", c.text};
  EXPECT_EQ(dump(check_stdin(input, libraries, serve), "/in/x.track"), c.findings);
  EXPECT_EQ(read, c.read);
}

INSTANTIATE_TEST_SUITE_P(
    Readers, StdinReaderTest,
    ::testing::Values(
        ReaderCase{"Served",
                   "@import lib.track\n# Songs\n## s\n@layer m\n# Layers\n## m\npad 0 60 1\n",
                   "/in/lib.track\n", ""},
        ReaderCase{"Refused", "@import ../other.track\n", "/in/../other.track\n",
                   "1:9-1:23 error import: import '/in/../other.track': read error: not served\n"},
        ReaderCase{"NothingImported", "# Songs\n", "", ""}));

TEST(EngineTest, MissingFileIsARead) {
  LibraryCache libraries;
  EXPECT_EQ(dump(check_one(CheckedFile{"no/such.track", false}, libraries), "no/such.track"),
            "1:1-1:2 error read: No such file or directory\n");
}

}  // namespace
}  // namespace lyre::cli
