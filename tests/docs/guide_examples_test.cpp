// The reader of a guide's examples: what it takes from well-formed blocks,
// and that every malformed or unmatched block is reported, so that a guide
// example can never be skipped silently.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "docs/guide_examples_test_support.h"

namespace lyre {
namespace {

// One line for each example, file and problem, in order.
std::string describe(const test_support::GuideExamples& guide) {
  std::string out;
  for (const test_support::GuideExample& example : guide.examples) {
    out += "example at " + std::to_string(example.line) + ": " + example.program;
    for (const std::string& arg : example.args) out += " " + arg;
    out += " -> " + std::to_string(example.status) + " [" + example.output + "]\n";
    for (const test_support::GuideFile& file : example.files) {
      out += "  " + file.name + " [" + file.content + "]\n";
    }
  }
  for (const std::string& problem : guide.problems) out += "problem " + problem + "\n";
  return out;
}

struct GuideCase {
  const char* name;
  std::string markdown;
  std::string read;
};

void PrintTo(const GuideCase& c, std::ostream* os) { *os << c.name; }

class GuideExamplesTest : public ::testing::TestWithParam<GuideCase> {};

TEST_P(GuideExamplesTest, ReadsExamplesAndReportsProblems) {
  const GuideCase& c = GetParam();
  EXPECT_EQ(describe(test_support::read_guide_examples(c.markdown)), c.read);
}

const std::string ok_run = "```console\n$ lyrelint a.track\nall 1 tracks ok\n$ echo $?\n0\n```\n";

INSTANTIATE_TEST_SUITE_P(
    Blocks, GuideExamplesTest,
    ::testing::Values(
        GuideCase{"NoBlocks", "# Guide\nText only.\n", ""},
        GuideCase{"OneExample",
                  "Intro\n\n```track a.track\n# Sounds\n## pad\n\nsine 1\n```\n\ntext\n\n" + ok_run,
                  "example at 12: lyrelint a.track -> 0 [all 1 tracks ok\n]\n"
                  "  a.track [# Sounds\n## pad\n\nsine 1\n]\n"},
        GuideCase{
            "TwoFilesTwoArguments",
            "```track kit.track\n# Sounds\n```\n```track a.track\n@import kit.track\n```\n"
            "```console\n$ lyrelint  a.track kit.track\nFAIL a.track: x\nok   kit.track: y\n"
            "1 of 2 tracks failed\n$ echo $?\n1\n```\n",
            "example at 7: lyrelint a.track kit.track -> 1 [FAIL a.track: x\nok   kit.track: y\n"
            "1 of 2 tracks failed\n]\n"
            "  kit.track [# Sounds\n]\n  a.track [@import kit.track\n]\n"},
        GuideCase{"EmptyOutput",
                  "```track a.track\n```\n```console\n$ lyrelint a.track\n$ echo $?\n1\n```\n",
                  "example at 3: lyrelint a.track -> 1 []\n  a.track []\n"},
        GuideCase{"LyreExample",
                  "```track a.track\n```\n```console\n$ lyre check --strict a.track\n"
                  "a.track:1:1: warning: w [duplicate-entry]\n0 errors and 1 warning in 1 of 1 "
                  "file\n$ echo $?\n1\n```\n",
                  "example at 3: lyre check --strict a.track -> 1 [a.track:1:1: warning: w "
                  "[duplicate-entry]\n0 errors and 1 warning in 1 of 1 file\n]\n  a.track []\n"},
        GuideCase{"OtherBlocksIgnored",
                  "```\nplain\n```\n```yaml\nid: x\n```\n```track a.track\n```\n" + ok_run,
                  "example at 9: lyrelint a.track -> 0 [all 1 tracks ok\n]\n  a.track []\n"}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Problems, GuideExamplesTest,
    ::testing::Values(
        GuideCase{"TrackWithoutConsole", "```track a.track\n# Sounds\n```\n",
                  "problem line 1: track block has no console block after it\n"},
        GuideCase{"ConsoleWithoutTrack", ok_run,
                  "problem line 1: console block has no track block before it\n"},
        GuideCase{"TrackAfterLastConsole",
                  "```track a.track\n```\n" + ok_run + "```track b.track\n```\n",
                  "example at 3: lyrelint a.track -> 0 [all 1 tracks ok\n]\n  a.track []\n"
                  "problem line 9: track block has no console block after it\n"},
        GuideCase{"TrackWithoutName", "```track\n# Sounds\n```\n" + ok_run,
                  "problem line 1: track block needs one file name\n"
                  "problem line 4: console block has no track block before it\n"},
        GuideCase{"ConsoleWithoutStatus",
                  "```track a.track\n```\n```console\n$ lyrelint a.track\nall 1 tracks ok\n```\n",
                  "problem line 3: console block must start with '$ lyrelint <args>' or '$ lyre "
                  "<args>' and end with '$ echo $?' and the status\n"},
        GuideCase{
            "ConsoleStatusNotANumber",
            "```track a.track\n```\n```console\n$ lyrelint a.track\nok\n$ echo $?\nzero\n```\n",
            "problem line 3: console block must end with the exit status\n"},
        GuideCase{"ConsoleWithoutEcho",
                  "```track a.track\n```\n```console\n$ lyrelint a.track\nok\n$ true\n0\n```\n",
                  "problem line 3: console block must end with '$ echo $?'\n"},
        GuideCase{"ConsoleOtherCommand",
                  "```track a.track\n```\n```console\n$ cat a.track\nok\n$ echo $?\n0\n```\n",
                  "problem line 3: console block must start with '$ lyrelint <args>' or '$ lyre "
                  "<args>' and end with '$ echo $?' and the status\n"},
        GuideCase{"ConsoleOtherProgramOfTheSameStart",
                  "```track a.track\n```\n```console\n$ lyrelints a.track\nok\n$ echo $?\n0\n```\n",
                  "problem line 3: console block must start with '$ lyrelint <args>' or '$ lyre "
                  "<args>' and end with '$ echo $?' and the status\n"},
        GuideCase{"ConsoleWithoutArguments",
                  "```track a.track\n```\n```console\n$ lyrelint \nusage\n$ echo $?\n1\n```\n",
                  "problem line 3: console block names no argument\n"},
        GuideCase{"UnclosedBlock", "```track a.track\n# Sounds\n",
                  "problem line 1: code block is not closed\n"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace lyre
