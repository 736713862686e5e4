// Checking the inputs of a run on several threads, with results that do not
// depend on how many.
#pragma once

#include <vector>

#include "cli/finding.h"
#include "cli/inputs.h"

namespace lyre::cli {

// The findings of each input, by input index. Up to `jobs` threads take the
// next unchecked input in turn; each keeps its own library cache, which is
// not shared between threads.
std::vector<std::vector<Finding>> run_files(const std::vector<Input>& inputs, unsigned jobs);

}  // namespace lyre::cli
