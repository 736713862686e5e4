#include "cli/summary.h"

#include <string_view>

namespace lyre::cli {

namespace {

// "1 error", "0 errors", "2 errors".
std::string counted(std::size_t count, std::string_view noun) {
  return std::to_string(count) + " " + std::string(noun) + (count == 1 ? "" : "s");
}

}  // namespace

std::string summary_line(const Tally& tally) {
  if (tally.errors == 0 && tally.warnings == 0) {
    return "no problems in " + counted(tally.files, "file") + "\n";
  }
  return counted(tally.errors, "error") + " and " + counted(tally.warnings, "warning") + " in " +
         std::to_string(tally.files_with_findings) + " of " + counted(tally.files, "file") + "\n";
}

}  // namespace lyre::cli
