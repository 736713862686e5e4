#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "cli/check_command.h"

namespace lyre::cli {
namespace {

Finding error(std::string path, std::size_t line) {
  return Finding{std::move(path), line, 1, line, 2, Severity::Error, "parse", "bad"};
}
Finding warning(std::string path, std::size_t line, std::string rule) {
  return Finding{std::move(path), line, 3, line, 7, Severity::Warning, std::move(rule), "odd"};
}

CheckOptions options(bool strict, std::vector<std::string> ignored) {
  CheckOptions o;
  o.strict = strict;
  o.ignored = std::move(ignored);
  return o;
}

struct ReportCase {
  const char* name;
  std::vector<std::vector<Finding>> per_input;
  CheckOptions options;
  Outcome outcome;
};

void PrintTo(const ReportCase& c, std::ostream* os) { *os << c.name; }

class ReportTest : public ::testing::TestWithParam<ReportCase> {};

TEST_P(ReportTest, FiltersCountsAndSorts) {
  const ReportCase& c = GetParam();
  const Outcome outcome = report(c.per_input, c.options);
  EXPECT_EQ(outcome.out, c.outcome.out);
  EXPECT_EQ(outcome.err, c.outcome.err);
  EXPECT_EQ(outcome.status, c.outcome.status);
}

INSTANTIATE_TEST_SUITE_P(
    Runs, ReportTest,
    ::testing::Values(
        ReportCase{"NoFiles", {}, options(false, {}), Outcome{"", "no problems in 0 files\n", 0}},
        ReportCase{
            "Clean", {{}, {}}, options(true, {}), Outcome{"", "no problems in 2 files\n", 0}},
        ReportCase{
            "ErrorFails",
            {{error("a", 4)}, {}},
            options(false, {}),
            Outcome{"a:4:1: error: bad [parse]\n", "1 error and 0 warnings in 1 of 2 files\n", 1}},
        ReportCase{"WarningsPass",
                   {{warning("a", 2, "unknown-motif")}},
                   options(false, {}),
                   Outcome{"a:2:3: warning: odd [unknown-motif]\n",
                           "0 errors and 1 warning in 1 of 1 file\n", 0}},
        ReportCase{"StrictWarningsFail",
                   {{warning("a", 2, "unknown-motif")}},
                   options(true, {}),
                   Outcome{"a:2:3: warning: odd [unknown-motif]\n",
                           "0 errors and 1 warning in 1 of 1 file\n", 1}},
        // Ignored findings count nowhere: neither in the summary nor the status.
        ReportCase{"IgnoredDroppedBeforeCounting",
                   {{warning("a", 2, "unknown-motif"), warning("a", 1, "unknown-wave")},
                    {warning("b", 1, "unknown-motif")}},
                   options(true, {"unknown-motif"}),
                   Outcome{"a:1:3: warning: odd [unknown-wave]\n",
                           "0 errors and 1 warning in 1 of 2 files\n", 1}},
        ReportCase{"AllIgnored",
                   {{warning("a", 2, "unknown-motif")}},
                   options(true, {"unknown-motif"}),
                   Outcome{"", "no problems in 1 file\n", 0}},
        ReportCase{"SortedAcrossFiles",
                   {{error("b", 1)}, {warning("a", 9, "duplicate-entry"), error("a", 3)}},
                   options(false, {}),
                   Outcome{"a:3:1: error: bad [parse]\n"
                           "a:9:3: warning: odd [duplicate-entry]\n"
                           "b:1:1: error: bad [parse]\n",
                           "2 errors and 1 warning in 2 of 2 files\n", 1}}));

}  // namespace
}  // namespace lyre::cli
