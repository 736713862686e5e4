// End-to-end runs of the whole per-file pipeline: which stage reports first,
// how imports take precedence and qualify names, and both reference checks.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "checker/run_binary_test_support.h"
#include "checker/temp_tree_test_support.h"

namespace lyre {
namespace {

using test_support::file;
using test_support::TreeItem;

struct PipelineCase {
  const char* name;
  std::vector<TreeItem> files;
  std::vector<std::string> args;
  std::string out;  // standard output; a failing run ends with the summary on standard error
};

void PrintTo(const PipelineCase& c, std::ostream* os) { *os << c.name; }

class PipelineTest : public ::testing::TestWithParam<PipelineCase> {};

TEST_P(PipelineTest, PrintsExactReport) {
  const PipelineCase& c = GetParam();
  test_support::TempTree tree;
  ASSERT_TRUE(tree.add_all(c.files));
  const test_support::RunResult run = test_support::run_binary(LYRELINT_BIN, c.args, tree.root());
  std::size_t failed = 0;
  for (std::size_t at = 0; (at = c.out.find("FAIL ", at)) != std::string::npos; ++at) ++failed;
  const std::size_t total = c.args.size();
  EXPECT_EQ(run.out, failed ? c.out : c.out + "all " + std::to_string(total) + " tracks ok\n");
  EXPECT_EQ(
      run.err,
      failed ? std::to_string(failed) + " of " + std::to_string(total) + " tracks failed\n" : "");
  EXPECT_EQ(run.status, failed ? 1 : 0);
}

const std::string song = "# Songs\n## s\n@layer beat\n";
const std::string beat = "# Layers\n## beat\nkick 0 60 1\nsnare 1 60 1\n";

INSTANTIATE_TEST_SUITE_P(
    StagePrecedence, PipelineTest,
    ::testing::Values(
        // A parse error wins over a bad header directive and a missing import.
        PipelineCase{"ParseBeforeChecks",
                     {file("a.track", "@tempo 1\n@import gone.track\n# Songs\n## s\n@bogus\n")},
                     {"a.track"},
                     "FAIL a.track: parse: line 1: unknown global directive 'bogus'\n"},
        PipelineCase{"HeaderCheckBeforePreambles",
                     {file("a.track", "@import std:drums\n@tempo 1\n# Songs\nstray\n")},
                     {"a.track"},
                     "FAIL a.track: line 2: '@tempo' outside a song block does nothing: only "
                     "'@import' is a document-level directive, a song header belongs in a "
                     "'## <name>' block under '# Songs'\n"},
        PipelineCase{"PreamblesBeforeImports",
                     {file("a.track", "@import gone.track\n# Waves\nw\n# Songs\nstray\n")},
                     {"a.track"},
                     "FAIL a.track: 'stray' sits before the first block of '# Songs', where "
                     "nothing reads it: move it into a '## <name>' block under '# Songs'\n"},
        PipelineCase{"ImportsBeforeReferences",
                     {file("a.track", "@import gone.track\n" + song)},
                     {"a.track"},
                     "FAIL a.track: import: import 'gone.track': read error: No such file or "
                     "directory\n"},
        PipelineCase{"LayersBeforeSounds",
                     {file("a.track", "# Songs\n## s\n@layer b\n@layer beat\n@layer a\n" + beat)},
                     {"a.track"},
                     "FAIL a.track: unresolved layers: s:b, s:a\n"},
        PipelineCase{"UnknownSoundsSortedOnce",
                     {file("a.track", song + "## t\n@layer beat\n" + beat + "harp 2 1 1\n")},
                     {"a.track"},
                     "FAIL a.track: unknown sounds: beat:harp, beat:kick, beat:snare\n"},
        PipelineCase{"LineAndSourceWrapping",
                     {file("l.track", "# Layers\n## x\n\npiano 0 60\n"),
                      file("s.track", "# Songs\n## x\n\n@tempo fast\n")},
                     {"l.track", "s.track"},
                     "FAIL l.track: parse: line 4: line 1: note needs duration\n"
                     "FAIL s.track: parse: line 1: invalid number for tempo: 'fast'\n"},
        PipelineCase{"CountsAfterImports",
                     {file("a.track", "@import std:drums\n" + song + "## t\n@layer beat\n" + beat)},
                     {"a.track"},
                     "ok   a.track: 2 songs, 7 sounds, 4 notes\n"}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Imports, PipelineTest,
    ::testing::Values(
        // The first definition of a name wins: the document's own, then each import depth first.
        PipelineCase{"NestedImportsComeBeforeTheNextImport",
                     {file("main.track", "@import one.track\n@import two.track\n" + song),
                      file("one.track", "@import deep.track\n"),
                      file("deep.track", "# Layers\n## beat\nfromdeep 0 1 1\n"),
                      file("two.track", "# Layers\n## beat\nfromtwo 0 1 1\n")},
                     {"main.track"},
                     "FAIL main.track: unknown sounds: beat:fromdeep\n"},
        PipelineCase{"ImportParseErrorNamesTheImport",
                     {file("main.track", "@import two.track\n" + song),
                      file("two.track", "# Sounds\n## local\n@bogus\n")},
                     {"main.track"},
                     "FAIL main.track: import: in import two.track: line 3: line 1: unknown "
                     "sound directive 'bogus'\n"},
        // One map serves every list: the clash of the layer kick renames the sound kick
        // too, and the notes that play it.
        PipelineCase{"AliasRenamesEveryListAndReference",
                     {file("main.track",
                           "@import kit.track as kit\n# Songs\n## s\n@layer kick\n"
                           "@layer kit::kick\n# Layers\n## kick\nsine 0 1 1\n"),
                      file("kit.track",
                           "# Layers\n## kick\nkick 0 1 1\nhat 0 1 1\n"
                           "# Sounds\n## kick\nsine 1\n## hat\nsine 1\n")},
                     {"main.track"},
                     "ok   main.track: 1 songs, 2 sounds, 3 notes\n"},
        PipelineCase{"SelfImportAndCycleEnd",
                     {file("a.track", "@import a.track\n@import b.track\n" + song +
                                          "# Layers\n## beat\nx 0 1 1\n"),
                      file("b.track", "@import a.track\n@import ./b.track\n# Sounds\n## x\n")},
                     {"a.track"},
                     "ok   a.track: 1 songs, 1 sounds, 1 notes\n"},
        PipelineCase{"FirstFetchErrorOnly",
                     {file("a.track", "@import std:nope\n@import https://x/y.track\n")},
                     {"a.track"},
                     "FAIL a.track: import: import 'std:nope': read error: unknown std import "
                     "(enable the 'std-instruments' feature)\n"},
        PipelineCase{"WebAddressRefused",
                     {file("a.track", "@import https://x/y.track\n")},
                     {"a.track"},
                     "FAIL a.track: import: import download 'https://x/y.track': the 'online' "
                     "feature is disabled\n"},
        PipelineCase{"NestedImportsResolveBesideTheirFile",
                     {file("songs/main.track", "@import sub/kit.track\n" + song + beat),
                      file("songs/sub/kit.track", "@import drums.track\n"),
                      file("songs/sub/drums.track", "# Sounds\n## kick\n## snare\n")},
                     {"songs/main.track"},
                     "ok   songs/main.track: 1 songs, 2 sounds, 2 notes\n"},
        PipelineCase{"InstrumentsBringFortyOneSounds",
                     {file("a.track", "@import std:instruments\n" + song + beat)},
                     {"a.track"},
                     "ok   a.track: 1 songs, 41 sounds, 2 notes\n"}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    References, PipelineTest,
    ::testing::Values(
        PipelineCase{"SubtrackPlacementsAreScannedOncePerSong",
                     {file("a.track",
                           "# Songs\n## s\n@layer top\n@layer top\n# Layers\n"
                           "## top\nsubtrack top 0\nsubtrack low 0 organ\n"
                           "subtrack missing 0\n## low\nharp 0 1 1\n")},
                     {"a.track"},
                     "FAIL a.track: unknown sounds: low:harp, top:organ\n"},
        PipelineCase{"DefaultInstrumentsAndEmptySoundsPass",
                     {file("a.track",
                           "# Songs\n## s\n@layer m\n# Layers\n## m\nsine 0 1 1\n"
                           "motif riff 0 saw\nhill 1 1 1\n# Motifs\n## riff\n0 1 1\n")},
                     {"a.track"},
                     "ok   a.track: 1 songs, 0 sounds, 2 notes\n"},
        PipelineCase{"LayerUsedTwiceCountsTwice",
                     {file("a.track", "@import std:drums\n" + song + "## t\n@layer beat\n" +
                                          "@layer beat\n" + beat)},
                     {"a.track"},
                     "ok   a.track: 2 songs, 7 sounds, 6 notes\n"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace lyre
