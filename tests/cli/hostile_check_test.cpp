// The hostile inputs through `lyre check` in every format: each run ends
// with status 0 or 1, its report and summary as expected, its output within
// a constant times the input and its memory bounded.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <map>
#include <nlohmann/json.hpp>
#include <ostream>
#include <string>
#include <vector>

#include "checker/hostile_inputs_test_support.h"
#include "checker/run_binary_test_support.h"
#include "checker/temp_tree_test_support.h"

#ifndef LYRE_BIN
#error "LYRE_BIN must name the built program"
#endif

namespace lyre::cli {
namespace {

using test_support::HostileCase;

constexpr int kTimeoutMs = 120000;

// A finding quotes at most its own line, which a sound checker quotes a
// bounded number of times; JSON may write a byte as a six-byte escape. Each
// finding adds at most about a kilobyte of fixed text (SARIF's, indented, is
// the largest), and a finding needs at least a line of two bytes. So 512
// bytes of output an input byte covers every format with room; the base is
// SARIF's rule catalogue and the summary.
constexpr std::size_t kOutputFactor = 512;
constexpr std::size_t kOutputBase = 64 * 1024;

// The summary and the whole text report of a case. The report is made
// only when a test asks: a large one held here would be shared with every
// child at its fork and counted in its peak.
struct Expected {
  int status;
  std::string err;
  std::string (*text)();
};

std::string none() { return ""; }

const std::map<std::string, Expected>& expectations() {
  using test_support::kHugeTokenBytes;
  using test_support::kSubtrackChainLength;
  static const std::string clean = "no problems in 1 file\n";
  static const std::string one_error = "1 error and 0 warnings in 1 of 1 file\n";
  static const std::map<std::string, Expected> table = {
      {"deep_headers", {0, clean, none}},
      // The chain's end is two lines a layer below the four lines of the head.
      {"subtrack_chain",
       {1, one_error,
        [] {
          return "chain.track:" + std::to_string(2 * kSubtrackChainLength + 6) +
                 ":1: error: unknown sound 'harp' [unknown-sound]\n";
        }}},
      {"layer_cycle",
       {1, one_error,
        [] {
          return std::string("cycle.track:7:1: error: unknown sound 'harp' [unknown-sound]\n");
        }}},
      {"tuning_at_limit", {0, clean, none}},
      {"tuning_over_limit",
       {1, one_error,
        [] {
          return std::string(
              "b.track:3:7: error: step count '65537' is too large (at most 65536) [parse]\n");
        }}},
      {"tuning_max_u64",
       {1, one_error,
        [] {
          return std::string(
              "c.track:3:7: error: step count '18446744073709551615' is too large (at most "
              "65536) [parse]\n");
        }}},
      {"tuning_over_u64",
       {1, one_error,
        [] {
          return std::string(
              "d.track:3:7: error: invalid step count '18446744073709551616' [parse]\n");
        }}},
      // Every tuning after the first repeats its name.
      {"many_tunings",
       {0, "0 errors and 99999 warnings in 1 of 1 file\n",
        [] {
          std::string out;
          for (int entry = 1; entry < 100000; ++entry) {
            out += "e.track:" + std::to_string(2 + 2 * entry) +
                   ":4: warning: duplicate tuning 't': the entry on line 2 is used instead "
                   "[duplicate-entry]\n";
          }
          return out;
        }}},
      {"huge_line", {0, clean, none}},
      {"many_directives", {0, clean, none}},
      {"huge_token",
       {1, one_error,
        [] {
          return "token.track:6:7: error: invalid number for start: '" +
                 std::string(kHugeTokenBytes, 'x') + "' [parse]\n";
        }}},
      {"nul_bytes", {0, clean, none}},
      // A file that cannot be read has its finding at its start.
      {"invalid_utf8_start",
       {1, one_error,
        [] { return std::string("start.track:1:1: error: invalid UTF-8 on line 1 [read]\n"); }}},
      {"surrogate_in_utf8",
       {1, one_error,
        [] { return std::string("middle.track:1:1: error: invalid UTF-8 on line 2 [read]\n"); }}},
      {"truncated_utf8_end",
       {1, one_error,
        [] { return std::string("end.track:1:1: error: invalid UTF-8 on line 3 [read]\n"); }}},
      {"cr_line_ends", {0, clean, none}},
      {"crlf_line_ends", {0, clean, none}},
      {"many_bare_marks", {0, clean, none}},
      {"million_marks",
       {1, one_error,
        [] {
          return std::string(
              "deepmark.track:1:1: error: subheader without an enclosing header [parse]\n");
        }}},
      {"import_chains_cycles_and_repeats", {0, "no problems in 3 files\n", none}},
      {"odd_files_and_trees",
       {1, "2 errors and 0 warnings in 2 of 4 files\n",
        [] {
          return std::string(
              "tree/dangling.track:1:1: error: No such file or directory [read]\n"
              "tree/pipe.track:1:1: error: not a regular file [read]\n");
        }}},
  };
  return table;
}

// The number of findings `out` reports in `format`; -1 when it is not
// well formed.
long long findings_in(const std::string& format, const std::string& out) {
  if (format == "text" || format == "github") {
    if (!out.empty() && out.back() != '\n') return -1;
    return std::count(out.begin(), out.end(), '\n');
  }
  const nlohmann::json parsed = nlohmann::json::parse(out, nullptr, /*allow_exceptions=*/false);
  if (format == "json") return parsed.is_array() ? static_cast<long long>(parsed.size()) : -1;
  if (!parsed.is_object() || !parsed["runs"].is_array() || parsed["runs"].size() != 1) return -1;
  const nlohmann::json& results = parsed["runs"][0]["results"];
  return results.is_array() ? static_cast<long long>(results.size()) : -1;
}

class LyreCheck : public ::testing::TestWithParam<HostileCase> {};

TEST_P(LyreCheck, EveryFormatEndsBounded) {
  const HostileCase& c = GetParam();
  const auto expected = expectations().find(c.name);
  ASSERT_NE(expected, expectations().end()) << "no expectation for " << c.name;
  test_support::TempTree tree;
  std::size_t input_bytes = 0;
  std::vector<std::string> paths;
  {
    // Dropped before the runs, so the child's peak does not count it.
    const test_support::HostileInput input = c.make();
    ASSERT_TRUE(tree.add_all(input.files));
    input_bytes = test_support::total_bytes(input);
    paths = input.args;
  }
  long long text_findings = -1;
  for (const std::string format : {"text", "json", "sarif", "github"}) {
    SCOPED_TRACE(format);
    std::vector<std::string> args{"check", "--format", format};
    args.insert(args.end(), paths.begin(), paths.end());
    const test_support::RunResult run =
        test_support::run_binary(LYRE_BIN, args, tree.root(), kTimeoutMs);
    EXPECT_EQ(run.status, expected->second.status) << run.err.substr(0, 2000);
    EXPECT_EQ(run.err, expected->second.err);
    EXPECT_LE(run.out.size(), kOutputFactor * input_bytes + kOutputBase);
    EXPECT_TRUE(test_support::within_memory_bound(run.peak_rss_bytes, input_bytes, run.out.size()))
        << run.peak_rss_bytes << " bytes at the peak for " << input_bytes << " of input";
    const long long findings = findings_in(format, run.out);
    EXPECT_GE(findings, 0) << run.out.substr(0, 300);
    if (format == "text") {
      text_findings = findings;
      // Compared without printing a large one: a mismatch would dump megabytes.
      const std::string text = expected->second.text();
      if (text.size() < 4096) {
        EXPECT_EQ(run.out, text);
      } else {
        EXPECT_TRUE(run.out == text)
            << run.out.size() << " bytes, not " << text.size() << ": " << run.out.substr(0, 300);
      }
    } else {
      EXPECT_EQ(findings, text_findings);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Hostile, LyreCheck, ::testing::ValuesIn(test_support::hostile_cases()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace lyre::cli
