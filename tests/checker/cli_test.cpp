// End-to-end runs of the built command: each row writes its files into a
// fresh directory, runs the command there and compares standard output,
// standard error and the exit status exactly.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "checker/run_binary_test_support.h"
#include "checker/temp_tree_test_support.h"

#ifndef LYRELINT_BIN
#error "LYRELINT_BIN must name the built command"
#endif

namespace lyre {
namespace {

using test_support::dir;
using test_support::fifo;
using test_support::file;
using test_support::symlink;
using test_support::TreeItem;

using CliCase = test_support::CommandCase;

class CliTest : public ::testing::TestWithParam<CliCase> {};

TEST_P(CliTest, PrintsExactReport) {
  const CliCase& c = GetParam();
  test_support::TempTree tree;
  ASSERT_FALSE(tree.root().empty());
  ASSERT_TRUE(tree.add_all(c.files));
  const test_support::RunResult run = test_support::run_binary(LYRELINT_BIN, c.args, tree.root());
  EXPECT_EQ(run.out, c.out);
  EXPECT_EQ(run.err, c.err);
  EXPECT_EQ(run.status, c.status);
}

const std::string usage =
    "usage: lyrelint [--refresh] <path>...\n"
    "  parses and resolves each .track file (directories recurse); no audio device needed\n";

const std::string missing = "read: No such file or directory";
const std::string not_utf8 = "\xFF\n";  // fails the read stage on line 1
const std::string one_pad = "# Sounds\n## pad\nsine 1\n";
const std::string two_notes =
    "# Songs\n## intro\n@layer melody\n# Layers\n## melody\nsine 0 60 1\nsine 1 62 1\n";

INSTANTIATE_TEST_SUITE_P(
    Arguments, CliTest,
    ::testing::Values(
        CliCase{"NoArguments", {}, {}, "", usage, 1},
        CliCase{"OnlyRefresh", {}, {"--refresh"}, "", usage, 1},
        CliCase{"RefreshTwice", {}, {"--refresh", "--refresh"}, "", usage, 1},
        CliCase{
            "DashIsAPath", {}, {"-x"}, "FAIL -x: " + missing + "\n", "1 of 1 tracks failed\n", 1},
        CliCase{"RefreshAnywhere",
                {},
                {"--refresh", "-x", "--refresh"},
                "FAIL -x: " + missing + "\n",
                "1 of 1 tracks failed\n",
                1},
        CliCase{"RefreshLookalikesArePaths",
                {},
                {"-r", "--refresh=1", "--Refresh"},
                "FAIL --Refresh: " + missing + "\nFAIL --refresh=1: " + missing +
                    "\nFAIL -r: " + missing + "\n",
                "3 of 3 tracks failed\n",
                1},
        CliCase{"NamedTwiceCountsTwice",
                {},
                {"gone.track", "gone.track"},
                "FAIL gone.track: " + missing + "\nFAIL gone.track: " + missing + "\n",
                "2 of 2 tracks failed\n",
                1},
        CliCase{"MissingWithTrailingSlash",
                {},
                {"nope/"},
                "FAIL nope/: " + missing + "\n",
                "1 of 1 tracks failed\n",
                1},
        CliCase{"InvalidNameShownReplaced",
                {},
                {"caf\xE9.track"},
                "FAIL caf\xEF\xBF\xBD.track: " + missing + "\n",
                "1 of 1 tracks failed\n",
                1}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    ReadStage, CliTest,
    ::testing::Values(CliCase{"InvalidUtf8Line",
                              {file("latin1.track", "# Songs\n## caf\xE9\n@layer x\n")},
                              {"latin1.track"},
                              "FAIL latin1.track: read: invalid UTF-8 on line 2\n",
                              "1 of 1 tracks failed\n",
                              1},
                      CliCase{"FifoInWalkedDirectory",
                              {fifo("d/x.track")},
                              {"d"},
                              "FAIL d/x.track: read: not a regular file\n",
                              "1 of 1 tracks failed\n",
                              1},
                      CliCase{"DanglingLinkInWalkedDirectory",
                              {symlink("d/x.track", "nowhere.track")},
                              {"d"},
                              "FAIL d/x.track: " + missing + "\n",
                              "1 of 1 tracks failed\n",
                              1}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Walk, CliTest,
    ::testing::Values(
        CliCase{"EmptyDirectory", {dir("d")}, {"d"}, "all 0 tracks ok\n", "", 0},
        CliCase{"NoTrackFile",
                {file("d/notes.txt", not_utf8), file("d/y.TRACK", not_utf8), file("d/.track", "")},
                {"d"},
                "all 0 tracks ok\n",
                "",
                0},
        CliCase{"TrailingSlashNotDoubled",
                {file("d/x.track", not_utf8)},
                {"d/"},
                "FAIL d/x.track: read: invalid UTF-8 on line 1\n",
                "1 of 1 tracks failed\n",
                1},
        CliCase{
            "LinkLoopsEnd",
            {file("d/a.track", not_utf8), symlink("d/self", "."), symlink("d/sub/up", "../../d")},
            {"d"},
            "FAIL d/a.track: read: invalid UTF-8 on line 1\n",
            "1 of 1 tracks failed\n",
            1},
        CliCase{"WalkExample",
                {file("dir/x.track", two_notes), file("dir/y.TRACK", "## orphan\n"),
                 file("dir/notes.txt", "## orphan\n"), file("dir/sub/z.track", one_pad)},
                {"dir"},
                "ok   dir/sub/z.track: 0 songs, 1 sounds, 0 notes\n"
                "ok   dir/x.track: 1 songs, 0 sounds, 2 notes\n"
                "all 2 tracks ok\n",
                "",
                0}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Order, CliTest,
    ::testing::Values(CliCase{"ArgumentsReversed",
                              {},
                              {"b.track", "a.track"},
                              "FAIL a.track: " + missing + "\nFAIL b.track: " + missing + "\n",
                              "2 of 2 tracks failed\n",
                              1},
                      CliCase{"NestedComponents",
                              {file("a/bc.track", not_utf8), file("a/b.track", not_utf8),
                               file("a/b/c.track", not_utf8)},
                              {"a"},
                              "FAIL a/b/c.track: read: invalid UTF-8 on line 1\n"
                              "FAIL a/b.track: read: invalid UTF-8 on line 1\n"
                              "FAIL a/bc.track: read: invalid UTF-8 on line 1\n",
                              "3 of 3 tracks failed\n",
                              1},
                      CliCase{"SlashBeforeDash",
                              {file("a-b.track", not_utf8), file("a/b.track", not_utf8)},
                              {"a-b.track", "a"},
                              "FAIL a/b.track: read: invalid UTF-8 on line 1\n"
                              "FAIL a-b.track: read: invalid UTF-8 on line 1\n",
                              "2 of 2 tracks failed\n",
                              1},
                      CliCase{"InterleavedVerdicts",
                              {file("b.track", "# Meta\n@colour blue\n"), file("a.track", one_pad),
                               file("d/e.track", two_notes)},
                              {"d", "c.track", "b.track", "a.track"},
                              "ok   a.track: 0 songs, 1 sounds, 0 notes\n"
                              "FAIL b.track: parse: unknown meta directive '@colour'\n"
                              "FAIL c.track: " +
                                  missing +
                                  "\n"
                                  "ok   d/e.track: 1 songs, 0 sounds, 2 notes\n",
                              "2 of 4 tracks failed\n",
                              1}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace lyre
