// One problem found in a file, with its place, as every report format shows it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace lyre::cli {

enum class Severity { Error, Warning };

// "error" or "warning".
std::string_view severity_word(Severity severity);

// Lines and columns count from 1; a column counts Unicode code points of its
// line. The end is exclusive.
struct Finding {
  std::string path;  // as shown in reports
  std::size_t line = 1;
  std::size_t column = 1;
  std::size_t end_line = 1;
  std::size_t end_column = 2;
  Severity severity = Severity::Error;
  std::string rule;
  std::string message;
  bool imported = false;  // it stands in a file that the checked one imports
  bool operator==(const Finding&) const = default;
};

// Report order: by path in the order files are checked, then line, then
// column. Stable, so findings at one place keep the order they were found in.
void sort_findings(std::vector<Finding>& findings);

}  // namespace lyre::cli
