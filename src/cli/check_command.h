// `lyre check`: from its options to what it prints and its exit status.
#pragma once

#include "cli/command_line.h"
#include "cli/outcome.h"

namespace lyre::cli {

// Reads standard input when a path is "-"; writes nothing itself.
Outcome run_check(const CheckOptions& options);

}  // namespace lyre::cli
