// `lyre check`: from its options to what it prints and its exit status.
#pragma once

#include <vector>

#include "cli/command_line.h"
#include "cli/finding.h"
#include "cli/outcome.h"

namespace lyre::cli {

// Reads standard input when a path is "-"; writes nothing itself.
Outcome run_check(const CheckOptions& options);

// The report of a run from the findings of each input, by input index: the
// ignored rules dropped, the rest in report order, the summary and the status.
Outcome report(std::vector<std::vector<Finding>> per_input, const CheckOptions& options);

}  // namespace lyre::cli
