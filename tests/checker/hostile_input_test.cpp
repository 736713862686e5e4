// The hostile inputs through lyrelint: each must end quickly with its
// verdict line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "checker/hostile_inputs_test_support.h"
#include "checker/run_binary_test_support.h"
#include "checker/temp_tree_test_support.h"
#include "docformat/text.h"

namespace lyre {
namespace {

using test_support::hostile_input;
using test_support::hostile_inputs;
using test_support::HostileInput;

constexpr int kTimeoutMs = 120000;

// Runs the command and returns its standard output; the status must match
// whether the output holds a FAIL line.
std::string run(const HostileInput& input) {
  test_support::TempTree tree;
  EXPECT_TRUE(tree.add_all(input.files));
  auto result = test_support::run_binary(LYRELINT_BIN, input.args, tree.root(), kTimeoutMs);
  const bool failed = result.out.find("FAIL ") != std::string::npos;
  EXPECT_EQ(result.status, failed ? 1 : 0) << result.err.substr(0, 2000);
  return result.out;
}

std::string ok(const std::string& path, int songs, int sounds, int notes) {
  return cat("ok   ", path, ": ", std::to_string(songs), " songs, ", std::to_string(sounds),
             " sounds, ", std::to_string(notes), " notes\n");
}

TEST(HostileInput, DeeplyNestedHeadersSplitInLinearTime) {
  EXPECT_EQ(run(hostile_input("deep_headers")), ok("deep.track", 1, 0, 0) + "all 1 tracks ok\n");
}

TEST(HostileInput, MillionLayerSubtrackChainNeedsNoDeepStack) {
  EXPECT_EQ(run(hostile_input("subtrack_chain")),
            cat("FAIL chain.track: unknown sounds: l",
                std::to_string(test_support::kSubtrackChainLength), ":harp\n"));
}

TEST(HostileInput, LayersPlacingEachOtherInACycleEnd) {
  EXPECT_EQ(run(hostile_input("layer_cycle")), "FAIL cycle.track: unknown sounds: a:harp\n");
}

TEST(HostileInput, ImportChainsCyclesAndRepeats) {
  EXPECT_EQ(run(hostile_input("import_chains_cycles_and_repeats")),
            ok("f0.track", 0, test_support::kImportChainLength, 0) + ok("many.track", 0, 1, 0) +
                ok("self.track", 0, 1, 0) + "all 3 tracks ok\n");
}

TEST(HostileInput, HugeEqualTuningsStayBounded) {
  EXPECT_EQ(run(hostile_inputs({"tuning_at_limit", "tuning_over_limit", "tuning_max_u64",
                                "tuning_over_u64", "many_tunings"})),
            ok("a.track", 0, 0, 0) +
                "FAIL b.track: parse: line 3: line 1: step count '65537' is too large (at most "
                "65536)\n"
                "FAIL c.track: parse: line 3: line 1: step count '18446744073709551615' is too "
                "large (at most 65536)\n"
                "FAIL d.track: parse: line 3: line 1: invalid step count "
                "'18446744073709551616'\n" +
                ok("e.track", 0, 0, 0));
}

TEST(HostileInput, HugeLinesAndTokens) {
  const std::string out = run(hostile_inputs({"huge_line", "many_directives", "huge_token"}));
  // Compared without printing: a mismatch would dump megabytes.
  EXPECT_TRUE(out == ok("directives.track", 1, 0, 0) + ok("line.track", 0, 0, 0) +
                         "FAIL token.track: parse: line 6: line 1: invalid number for start: '" +
                         std::string(test_support::kHugeTokenBytes, 'x') + "'\n")
      << out.substr(0, 300);
}

TEST(HostileInput, OddBytes) {
  EXPECT_EQ(run(hostile_inputs({"nul_bytes", "invalid_utf8_start", "surrogate_in_utf8",
                                "truncated_utf8_end", "cr_line_ends", "crlf_line_ends",
                                "many_bare_marks", "million_marks"})),
            ok("cr.track", 0, 0, 0) + ok("crlf.track", 0, 1, 0) +
                "FAIL deepmark.track: parse: subheader without an enclosing header\n" +
                "FAIL end.track: read: invalid UTF-8 on line 3\n" + ok("marks.track", 0, 0, 0) +
                "FAIL middle.track: read: invalid UTF-8 on line 2\n" + ok("nul.track", 0, 1, 0) +
                "FAIL start.track: read: invalid UTF-8 on line 1\n");
}

TEST(HostileInput, OddFilesAndTrees) {
  EXPECT_EQ(run(hostile_input("odd_files_and_trees")),
            ok("/dev/null", 0, 0, 0) + ok("tree/a/x.track", 0, 0, 0) +
                "FAIL tree/dangling.track: read: No such file or directory\n"
                "FAIL tree/pipe.track: read: not a regular file\n");
}

}  // namespace
}  // namespace lyre
