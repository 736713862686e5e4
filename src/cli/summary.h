// The summary a run ends with on standard error, in every format.
#pragma once

#include <cstddef>
#include <string>

namespace lyre::cli {

struct Tally {
  std::size_t errors = 0;
  std::size_t warnings = 0;
  std::size_t files_with_findings = 0;
  std::size_t files = 0;  // every file checked
};

// "{E} error(s) and {W} warning(s) in {F} of {N} file(s)", or "no problems in
// {N} file(s)" when nothing was found; one line with its line feed.
std::string summary_line(const Tally& tally);

}  // namespace lyre::cli
