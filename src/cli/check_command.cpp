#include "cli/check_command.h"

#include <algorithm>
#include <set>
#include <string>
#include <tuple>

#include "cli/inputs.h"
#include "cli/run_files.h"
#include "cli/summary.h"
#include "track/format/source/read_text.h"

namespace lyre::cli {

namespace {

// Standard input is read once, however often "-" is given.
StdinText read_stdin(const std::optional<std::string>& name) {
  return stdin_input(name, read_text("/dev/stdin", /*regular_only=*/false));
}

bool ignored(const CheckOptions& options, const Finding& finding) {
  return std::find(options.ignored.begin(), options.ignored.end(), finding.rule) !=
         options.ignored.end();
}

}  // namespace

Outcome run_check(const CheckOptions& options) {
  std::optional<StdinText> stdin_text;
  if (std::find(options.paths.begin(), options.paths.end(), "-") != options.paths.end()) {
    stdin_text = read_stdin(options.stdin_filename);
  }
  auto inputs = collect_inputs(options.paths, stdin_text);
  if (!inputs) return Outcome{"", inputs.error() + "\n", kStatusUsage};

  return report(run_files(*inputs, options.jobs), options);
}

Outcome report(std::vector<std::vector<Finding>> per_input, const CheckOptions& options) {
  Tally tally{.files = per_input.size()};
  std::vector<Finding> findings;
  // A problem in an imported file is shown once however many checked files
  // reach it, and not at all when that file is checked itself.
  using Key = std::tuple<std::string, std::size_t, std::size_t, std::string>;
  auto key = [](const Finding& f) { return Key{f.path, f.line, f.column, f.message}; };
  std::set<Key> shown;
  for (const std::vector<Finding>& found : per_input) {
    for (const Finding& f : found) {
      if (!f.imported) shown.insert(key(f));
    }
  }
  for (std::vector<Finding>& found : per_input) {
    std::erase_if(found, [&](const Finding& f) {
      return ignored(options, f) || (f.imported && !shown.insert(key(f)).second);
    });
    if (!found.empty()) ++tally.files_with_findings;
    for (Finding& finding : found) {
      ++(finding.severity == Severity::Error ? tally.errors : tally.warnings);
      findings.push_back(std::move(finding));
    }
  }
  sort_findings(findings);

  const bool failed = tally.errors > 0 || (options.strict && tally.warnings > 0);
  return Outcome{render(options.format, findings), summary_line(tally),
                 failed ? kStatusProblems : kStatusClean};
}

}  // namespace lyre::cli
