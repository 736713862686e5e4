#include "cli/summary.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace lyre::cli {
namespace {

struct SummaryCase {
  const char* name;
  Tally tally;
  std::string line;
};

void PrintTo(const SummaryCase& c, std::ostream* os) { *os << c.name; }

class SummaryTest : public ::testing::TestWithParam<SummaryCase> {};

TEST_P(SummaryTest, CountsInWords) { EXPECT_EQ(summary_line(GetParam().tally), GetParam().line); }

INSTANTIATE_TEST_SUITE_P(
    Tallies, SummaryTest,
    ::testing::Values(
        SummaryCase{"NothingInNoFiles", {0, 0, 0, 0}, "no problems in 0 files\n"},
        SummaryCase{"NothingInOneFile", {0, 0, 0, 1}, "no problems in 1 file\n"},
        SummaryCase{"NothingInFiles", {0, 0, 0, 5}, "no problems in 5 files\n"},
        SummaryCase{"Example", {2, 1, 2, 5}, "2 errors and 1 warning in 2 of 5 files\n"},
        SummaryCase{"OneError", {1, 0, 1, 1}, "1 error and 0 warnings in 1 of 1 file\n"},
        SummaryCase{"WarningsOnly", {0, 3, 1, 2}, "0 errors and 3 warnings in 1 of 2 files\n"},
        SummaryCase{"OneWarning", {0, 1, 1, 3}, "0 errors and 1 warning in 1 of 3 files\n"}));

}  // namespace
}  // namespace lyre::cli
