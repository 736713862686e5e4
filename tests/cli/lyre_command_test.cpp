// End-to-end runs of the built `lyre`: each row writes its files into a fresh
// directory, runs the program there and compares standard output, standard
// error and the exit status exactly.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <ostream>
#include <string>
#include <vector>

#include "checker/run_binary_test_support.h"
#include "checker/temp_tree_test_support.h"
#include "cli/formats.h"

#ifndef LYRE_BIN
#error "LYRE_BIN must name the built program"
#endif

namespace lyre::cli {
namespace {

using test_support::file;
using test_support::TreeItem;

using test_support::CommandCase;

// Runs `lyre` in the tree; with `stdin_file`, standard input reads that file
// of the tree.
test_support::RunResult run_lyre(const test_support::TempTree& tree,
                                 const std::vector<std::string>& args,
                                 const std::string& stdin_file = "") {
  return test_support::run_binary(LYRE_BIN, args, tree.root(), 20000,
                                  stdin_file.empty() ? "" : tree.at(stdin_file));
}

class LyreCommandTest : public ::testing::TestWithParam<CommandCase> {};

TEST_P(LyreCommandTest, PrintsExactReport) {
  const CommandCase& c = GetParam();
  test_support::TempTree tree;
  ASSERT_FALSE(tree.root().empty());
  ASSERT_TRUE(tree.add_all(c.files));
  const test_support::RunResult run = run_lyre(tree, c.args);
  EXPECT_EQ(run.out, c.out);
  EXPECT_EQ(run.err, c.err);
  EXPECT_EQ(run.status, c.status);
}

// One error in each of the nine entry types: reading goes on after each.
const std::string nine_errors =
    "# Songs\n## s\n@tempo fast\n# Layers\n## l\nsine x 60 1\n# Sounds\n## snd\n@volume "
    "loud\n# Tunings\n## t\nnot a ratio\n# Waves\n## w\nbad wave\n# Subtitles\n## en\nzero 1 "
    "hello\n# Motifs\n## m\n0 zero 1\n# Snapshots\n## calm\n@fade soon\n# Reverb\n## hall\n"
    "@room 0.5\n";
const std::string nine_errors_text =
    "nine.track:3:8: error: invalid number for tempo: 'fast' [parse]\n"
    "nine.track:6:6: error: invalid number for start: 'x' [parse]\n"
    "nine.track:9:9: error: invalid number for volume: 'loud' [parse]\n"
    "nine.track:12:1: error: invalid number for ratio: 'not' [parse]\n"
    "nine.track:15:1: error: invalid number for wave x: 'bad' [parse]\n"
    "nine.track:18:1: error: invalid number for subtitle beat: 'zero' [parse]\n"
    "nine.track:21:3: error: invalid number for pitch: 'zero' [parse]\n"
    "nine.track:24:7: error: invalid snapshot value 'soon' [parse]\n"
    "nine.track:27:1: error: unknown reverb key '@room' [parse]\n";
// Names the verdict never looks up.
const std::string warned =
    "# Songs\n## s\n@layer m\n@jump-at verse s via riff sound sine\n# Layers\n## m\nsine 0 60 "
    "1\nsubtrack c 0\n";
const std::string broken_lib = "# Layers\n## x\nsine 0 60 one\n";

const std::string ok_song = "# Songs\n## intro\n@layer melody\n# Layers\n## melody\nsine 0 60 1\n";
const std::string bad_tempo = "# Songs\n## intro\n@tempo fast\n";
const std::string meta_message =
    "'@title' outside a song block does nothing: only '@import' is a document-level directive, "
    "a song header belongs in a '## <name>' block under '# Songs'";
const std::string preamble_message =
    "'lead: saw 1.0' sits before the first block of '# Sounds', where nothing reads it: the "
    "pre-0.20 one-line sound syntax was replaced by a '## lead' block, one harmonic per line and "
    "every setting as its own '@' directive";

// One file for each way lyrelint fails a file, and one that passes.
const std::vector<TreeItem> every_stage{
    file("deep.track", "### deep\n"),
    file("imp.track", "@import missing.track\n# Songs\n"),
    file("layer.track", "# Songs\n## intro\n@layer lead\n@layer lead\n"),
    file("meta.track", "@import std:drums\n\n@title Demo\n"),
    file("preamble.track", "# Sounds\nlead: saw 1.0\n## pad\nsine 1\n"),
    file("snd.track", "# Songs\n## intro\n@layer melody\n# Layers\n## melody\nharp 0 60 1\n"),
    file("songs/ok.track", ok_song),
    file("songs/tempo.track", bad_tempo),
    file("sound.track", "# Sounds\n## pad\nsine 1\n\n## lead\n@volume loud\n"),
    file("utf.track", "a\xFF\n"),
    file("notes.txt", "not checked\n"),
};

const std::string every_stage_text =
    "./deep.track:1:1: error: subheader without an enclosing header [parse]\n"
    "./imp.track:1:9: error: import './missing.track': read error: No such file or directory "
    "[import]\n"
    "./layer.track:3:8: error: unknown layer 'lead' [unknown-layer]\n"
    "./layer.track:4:8: error: unknown layer 'lead' [unknown-layer]\n"
    "./meta.track:3:1: error: " +
    meta_message +
    " [header]\n"
    "./preamble.track:2:1: error: " +
    preamble_message +
    " [header]\n"
    "./snd.track:6:1: error: unknown sound 'harp' [unknown-sound]\n"
    "./songs/tempo.track:3:8: error: invalid number for tempo: 'fast' [parse]\n"
    "./sound.track:6:9: error: invalid number for volume: 'loud' [parse]\n"
    "./utf.track:1:1: error: invalid UTF-8 on line 1 [read]\n";

const std::string usage_hint = "Run with --help for more information.\n";

INSTANTIATE_TEST_SUITE_P(
    Runs, LyreCommandTest,
    ::testing::Values(
        CommandCase{"Version", {}, {"--version"}, "lyre 0.2.0\n", "", 0},
        CommandCase{"Clean",
                    {file("a.track", ok_song)},
                    {"check", "a.track"},
                    "",
                    "no problems in 1 file\n",
                    0},
        CommandCase{"EmptyDirectory",
                    {test_support::dir("d")},
                    {"check", "d"},
                    "",
                    "no problems in 0 files\n",
                    0},
        CommandCase{"EveryStage",
                    every_stage,
                    {"check", "."},
                    every_stage_text,
                    "10 errors and 0 warnings in 9 of 10 files\n",
                    1},
        CommandCase{"FilesAsGivenInPathOrder",
                    {file("b.track", bad_tempo), file("a-b.track", bad_tempo),
                     file("a/b.track", bad_tempo)},
                    {"check", "b.track", "a-b.track", "a/b.track", "missing.track"},
                    "a/b.track:3:8: error: invalid number for tempo: 'fast' [parse]\n"
                    "a-b.track:3:8: error: invalid number for tempo: 'fast' [parse]\n"
                    "b.track:3:8: error: invalid number for tempo: 'fast' [parse]\n"
                    "missing.track:1:1: error: No such file or directory [read]\n",
                    "4 errors and 0 warnings in 4 of 4 files\n",
                    1},
        CommandCase{"Json",
                    {file("a.track", bad_tempo), file("b.track", ok_song)},
                    {"check", "--format", "json", "b.track", "a.track"},
                    "[\n  {\n    \"path\": \"a.track\",\n    \"line\": 3,\n    \"column\": 8,\n"
                    "    \"end_line\": 3,\n    \"end_column\": 12,\n    \"severity\": \"error\",\n"
                    "    \"rule\": \"parse\",\n"
                    "    \"message\": \"invalid number for tempo: 'fast'\"\n  }\n]\n",
                    "1 error and 0 warnings in 1 of 2 files\n",
                    1},
        CommandCase{"JsonClean",
                    {file("b.track", ok_song)},
                    {"check", "--format=json", "b.track"},
                    "[]\n",
                    "no problems in 1 file\n",
                    0},
        CommandCase{"Github",
                    {file("a.track", bad_tempo), file("b.track", "@title x\n")},
                    {"check", "--format", "github", "a.track", "b.track"},
                    "::error file=a.track,line=3,col=8,endLine=3,endColumn=12,title=parse::"
                    "invalid number for tempo: 'fast'\n"
                    "::error file=b.track,line=1,col=1,endLine=1,endColumn=7,title=header::"
                    "'@title' outside a song block does nothing: only '@import' is a "
                    "document-level directive, a song header belongs in a '## <name>' block "
                    "under '# Songs'\n",
                    "2 errors and 0 warnings in 2 of 2 files\n",
                    1},
        CommandCase{"StrictWithoutWarnings",
                    {file("a.track", ok_song)},
                    {"check", "--strict", "a.track"},
                    "",
                    "no problems in 1 file\n",
                    0},
        CommandCase{"IgnoreWarningRule",
                    {file("a.track", bad_tempo)},
                    {"check", "--ignore", "unknown-motif", "a.track"},
                    "a.track:3:8: error: invalid number for tempo: 'fast' [parse]\n",
                    "1 error and 0 warnings in 1 of 1 file\n",
                    1},
        CommandCase{"FileNamedTwice",
                    {file("a.track", bad_tempo)},
                    {"check", "a.track", "a.track"},
                    "a.track:3:8: error: invalid number for tempo: 'fast' [parse]\n"
                    "a.track:3:8: error: invalid number for tempo: 'fast' [parse]\n",
                    "2 errors and 0 warnings in 2 of 2 files\n",
                    1},
        CommandCase{"NineEntryTypes",
                    {file("nine.track", nine_errors)},
                    {"check", "nine.track"},
                    nine_errors_text,
                    "9 errors and 0 warnings in 1 of 1 file\n",
                    1},
        CommandCase{"WarningsAloneDoNotFail",
                    {file("w.track", warned)},
                    {"check", "w.track"},
                    "w.track:4:10: warning: unknown marker 'verse' [unknown-marker]\n"
                    "w.track:4:22: warning: unknown motif 'riff' [unknown-motif]\n"
                    "w.track:8:10: warning: unknown layer 'c' [unknown-subtrack]\n",
                    "0 errors and 3 warnings in 1 of 1 file\n",
                    0},
        CommandCase{"StrictWarningsFail",
                    {file("w.track", warned)},
                    {"check", "--strict", "--ignore", "unknown-marker", "--ignore",
                     "unknown-subtrack", "w.track"},
                    "w.track:4:22: warning: unknown motif 'riff' [unknown-motif]\n",
                    "0 errors and 1 warning in 1 of 1 file\n",
                    1},
        CommandCase{"IgnoredWarningsLeaveNothing",
                    {file("w.track", warned)},
                    {"check", "--strict", "--ignore=unknown-marker", "--ignore=unknown-motif",
                     "--ignore=unknown-subtrack", "w.track"},
                    "",
                    "no problems in 1 file\n",
                    0},
        CommandCase{"GithubWarnings",
                    {file("w.track", warned)},
                    {"check", "--format", "github", "--ignore", "unknown-marker", "w.track"},
                    "::warning file=w.track,line=4,col=22,endLine=4,endColumn=26,"
                    "title=unknown-motif::unknown motif 'riff'\n"
                    "::warning file=w.track,line=8,col=10,endLine=8,endColumn=11,"
                    "title=unknown-subtrack::unknown layer 'c'\n",
                    "0 errors and 2 warnings in 1 of 1 file\n",
                    0},
        // A problem in an imported file stands at its place there, once
        // however many checked files reach it, and as the file's own when it
        // is checked itself.
        CommandCase{"ImportedProblemOnce",
                    {file("lib/broken.track", broken_lib),
                     file("a.track", "@import lib/broken.track as lib\n"),
                     file("b.track", "@import lib/broken.track\n")},
                    {"check", "a.track", "b.track"},
                    "lib/broken.track:3:11: error: invalid number for duration: 'one' [import]\n",
                    "1 error and 0 warnings in 1 of 2 files\n",
                    1},
        CommandCase{
            "ImportedFileCheckedItself",
            {file("lib/broken.track", broken_lib), file("a.track", "@import lib/broken.track\n")},
            {"check", "."},
            "./lib/broken.track:3:11: error: invalid number for duration: 'one' [parse]\n",
            "1 error and 0 warnings in 1 of 2 files\n",
            1},
        CommandCase{"EveryImportAndNestedOnes",
                    {file("lib.track", "@import gone.track\n# Sounds\n## pad\nsine 1\n"),
                     file("a.track",
                          "@import nowhere.track\n@import lib.track as lib\n# Songs\n## s\n"
                          "@layer m\n# Layers\n## m\npad 0 60 1\n")},
                    {"check", "a.track"},
                    "a.track:1:9: error: import 'nowhere.track': read error: No such file or "
                    "directory [import]\n"
                    "lib.track:1:9: error: import 'gone.track': read error: No such file or "
                    "directory [import]\n",
                    "2 errors and 0 warnings in 1 of 1 file\n",
                    1},
        CommandCase{"NoPath", {}, {"check"}, "", "path is required\n" + usage_hint, 2},
        CommandCase{"UnknownOption",
                    {},
                    {"check", "--refresh", "a.track"},
                    "",
                    "The following argument was not expected: --refresh\n" + usage_hint,
                    2},
        CommandCase{"BadFormat",
                    {},
                    {"check", "--format", "sarif2", "a.track"},
                    "",
                    "--format: sarif2 not in {text,json,sarif,github}\n" + usage_hint,
                    2},
        CommandCase{"IgnoreUnknownRule",
                    {},
                    {"check", "--ignore", "tempo", "a.track"},
                    "",
                    "--ignore: unknown rule 'tempo'\n" + usage_hint,
                    2},
        CommandCase{"IgnoreErrorRule",
                    {},
                    {"check", "--ignore", "import", "a.track"},
                    "",
                    "--ignore: rule 'import' is an error and cannot be ignored\n" + usage_hint,
                    2}));

// Standard input, shown by its --stdin-filename and importing beside it.
TEST(LyreStdinTest, ChecksUnderItsGivenName) {
  test_support::TempTree tree;
  ASSERT_TRUE(tree.add_all({
      file("songs/shared.track", "# Sounds\n## x\nsine nope\n"),
      file("input.txt", "@import shared.track\n# Songs\n"),
      file("a.track", bad_tempo),
  }));
  const auto run =
      run_lyre(tree, {"check", "--stdin-filename", "songs/new.track", "a.track", "-"}, "input.txt");
  EXPECT_EQ(run.out,
            "a.track:3:8: error: invalid number for tempo: 'fast' [parse]\n"
            "songs/shared.track:3:6: error: invalid number for sine: 'nope' [import]\n");
  EXPECT_EQ(run.err, "2 errors and 0 warnings in 2 of 2 files\n");
  EXPECT_EQ(run.status, 1);
}

TEST(LyreStdinTest, DashWithoutName) {
  test_support::TempTree tree;
  ASSERT_TRUE(tree.add_all({file("input.txt", bad_tempo)}));
  const auto run = run_lyre(tree, {"check", "-"}, "input.txt");
  EXPECT_EQ(run.out, "-:3:8: error: invalid number for tempo: 'fast' [parse]\n");
  EXPECT_EQ(run.err, "1 error and 0 warnings in 1 of 1 file\n");
  EXPECT_EQ(run.status, 1);
}

TEST(LyreStdinTest, CleanInput) {
  test_support::TempTree tree;
  ASSERT_TRUE(tree.add_all({file("input.txt", ok_song)}));
  const auto run = run_lyre(tree, {"check", "--stdin-filename", "x.track", "-"}, "input.txt");
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "no problems in 1 file\n");
  EXPECT_EQ(run.status, 0);
}

TEST(LyreStdinTest, InvalidUtf8IsARead) {
  test_support::TempTree tree;
  ASSERT_TRUE(tree.add_all({file("input.txt", "# Songs\n\xC3\n")}));
  const auto run = run_lyre(tree, {"check", "--format", "github", "-"}, "input.txt");
  EXPECT_EQ(run.out,
            "::error file=-,line=1,col=1,endLine=1,endColumn=2,title=read::invalid UTF-8 on "
            "line 2\n");
  EXPECT_EQ(run.err, "1 error and 0 warnings in 1 of 1 file\n");
  EXPECT_EQ(run.status, 1);
}

// The log is the renderer's, whose text has its own tests.
TEST(LyreSarifTest, OneLogForTheRun) {
  test_support::TempTree tree;
  ASSERT_TRUE(tree.add_all({file("a.track", bad_tempo), file("b.track", ok_song)}));
  const auto run = run_lyre(tree, {"check", "--format", "sarif", "b.track", "a.track"});
  EXPECT_EQ(run.out, render(Format::Sarif, {Finding{"a.track", 3, 8, 3, 12, Severity::Error,
                                                    "parse", "invalid number for tempo: 'fast'"}}));
  EXPECT_EQ(run.err, "1 error and 0 warnings in 1 of 2 files\n");
  EXPECT_EQ(run.status, 1);
}

// The same report whatever the number of threads.
TEST(LyreJobsTest, OutputIndependentOfJobs) {
  test_support::TempTree tree;
  std::vector<TreeItem> files;
  for (int i = 0; i < 40; ++i) {
    std::string name = i % 3 == 0 ? "sub/f" : "f";
    name += std::to_string(i * 7 % 40);
    name += ".track";
    files.push_back(file(name, i % 2 == 0 ? bad_tempo : ok_song));
  }
  files.push_back(file("g.track", "@import std:drums\n@import std:orchestral\n# Songs\n"));
  ASSERT_TRUE(tree.add_all(files));
  const auto one = run_lyre(tree, {"check", "-j", "1", "."});
  const auto four = run_lyre(tree, {"check", "-j", "4", "."});
  EXPECT_EQ(std::count(one.out.begin(), one.out.end(), '\n'), 20);
  EXPECT_EQ(one.err, "20 errors and 0 warnings in 20 of 41 files\n");
  EXPECT_EQ(one.status, 1);
  EXPECT_EQ(four.out, one.out);
  EXPECT_EQ(four.err, one.err);
  EXPECT_EQ(four.status, one.status);
}

// A directory without permissions cannot be listed; a superuser runs the
// program without the capabilities that pass over permissions.
TEST(LyreWalkTest, UnwalkableDirectoryIsAUsageError) {
  test_support::TempTree tree;
  ASSERT_TRUE(tree.add_all({file("a.track", bad_tempo), test_support::dir("d/locked")}));
  ASSERT_EQ(::chmod(tree.at("d/locked").c_str(), 0), 0);
  std::vector<std::string> args{LYRE_BIN, "check", "a.track", "d"};
  std::string program = "/usr/bin/setpriv";
  if (::geteuid() != 0) {
    program = args.front();
    args.erase(args.begin());
  } else if (::access(program.c_str(), X_OK) != 0) {
    GTEST_SKIP() << "a superuser can list every directory without setpriv";
  } else {
    args.insert(args.begin(), "--bounding-set=-dac_override,-dac_read_search");
  }
  const auto run = test_support::run_binary(program, args, tree.root());
  ::chmod(tree.at("d/locked").c_str(), 0700);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "error: reading d: Permission denied\n");
  EXPECT_EQ(run.status, 2);
}

}  // namespace
}  // namespace lyre::cli
