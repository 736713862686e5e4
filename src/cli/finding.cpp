#include "cli/finding.h"

#include <algorithm>

#include "checker/path_order.h"

namespace lyre::cli {

std::string_view severity_word(Severity severity) {
  return severity == Severity::Error ? "error" : "warning";
}

void sort_findings(std::vector<Finding>& findings) {
  std::stable_sort(findings.begin(), findings.end(), [](const Finding& a, const Finding& b) {
    if (path_less(a.path, b.path)) return true;
    if (path_less(b.path, a.path)) return false;
    if (a.line != b.line) return a.line < b.line;
    return a.column < b.column;
  });
}

}  // namespace lyre::cli
