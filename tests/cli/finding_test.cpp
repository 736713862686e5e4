#include "cli/finding.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace lyre::cli {
namespace {

Finding at(std::string path, std::size_t line, std::size_t column, std::string rule = "parse") {
  return Finding{std::move(path), line, column, line, column + 1, Severity::Error,
                 std::move(rule), "m"};
}

// "{path}:{line}:{column} {rule}" for each finding, joined by spaces.
std::string dump(const std::vector<Finding>& findings) {
  std::string out;
  for (const Finding& f : findings) {
    if (!out.empty()) out += " ";
    out += f.path + ":" + std::to_string(f.line) + ":" + std::to_string(f.column) + " " + f.rule;
  }
  return out;
}

struct SortCase {
  const char* name;
  std::vector<Finding> findings;
  std::string sorted;
};

void PrintTo(const SortCase& c, std::ostream* os) { *os << c.name; }

class SortFindingsTest : public ::testing::TestWithParam<SortCase> {};

TEST_P(SortFindingsTest, OrdersByPathLineColumn) {
  SortCase c = GetParam();
  sort_findings(c.findings);
  EXPECT_EQ(dump(c.findings), c.sorted);
}

INSTANTIATE_TEST_SUITE_P(
    Orders, SortFindingsTest,
    ::testing::Values(
        SortCase{"Empty", {}, ""},
        SortCase{"ByLine", {at("a", 10, 1), at("a", 2, 5)}, "a:2:5 parse a:10:1 parse"},
        SortCase{"ByColumn", {at("a", 2, 9), at("a", 2, 3)}, "a:2:3 parse a:2:9 parse"},
        // Numbers compare as numbers, not as text.
        SortCase{"LineNumerically", {at("a", 9, 1), at("a", 10, 1)}, "a:9:1 parse a:10:1 parse"},
        // Paths in the order files are checked: a/b.track before a-b.track.
        SortCase{"PathByComponent",
                 {at("a-b.track", 1, 1), at("a/b.track", 5, 1)},
                 "a/b.track:5:1 parse a-b.track:1:1 parse"},
        SortCase{"PathBeforeLine", {at("b", 1, 1), at("a", 7, 1)}, "a:7:1 parse b:1:1 parse"},
        // Findings at one place keep the order they were found in.
        SortCase{"StableAtOnePlace",
                 {at("a", 1, 1, "unknown-motif"), at("a", 1, 1, "unknown-tuning")},
                 "a:1:1 unknown-motif a:1:1 unknown-tuning"},
        // Two spellings of one path are one path.
        SortCase{"EquivalentPathsByLine",
                 {at("a//b", 5, 1), at("a/b", 1, 1), at("a//b", 3, 1)},
                 "a/b:1:1 parse a//b:3:1 parse a//b:5:1 parse"}));

TEST(SeverityWordTest, NamesBoth) {
  EXPECT_EQ(severity_word(Severity::Error), "error");
  EXPECT_EQ(severity_word(Severity::Warning), "warning");
}

}  // namespace
}  // namespace lyre::cli
