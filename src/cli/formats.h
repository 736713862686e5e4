// The report formats: what standard output holds for a run's findings.
#pragma once

#include <string>
#include <vector>

#include "cli/finding.h"

namespace lyre::cli {

enum class Format {
  Text,    // {path}:{line}:{column}: {severity}: {message} [{rule}], one a line
  Json,    // one array of finding objects
  Sarif,   // one SARIF 2.1.0 log, for code scanning
  Github,  // one workflow command a finding, for annotations
};

// The whole of standard output for `findings`, which are in report order.
std::string render(Format format, const std::vector<Finding>& findings);

}  // namespace lyre::cli
