// `lyre check --stdin-filename <path> -` on arbitrary bytes as standard
// input, through the engine's seam, then the report in every format. The
// path's directory holds nothing and imports come from the built-in
// libraries only, so no file is read.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "cli/check_command.h"
#include "cli/engine.h"
#include "cli/inputs.h"
#include "fuzz_input.h"

namespace {

using namespace lyre::cli;

// A broken promise of the report is a finding too.
void expect(bool holds) {
  if (!holds) std::abort();
}

bool placed(const Finding& f) {
  const bool ends_after = f.end_line > f.line || (f.end_line == f.line && f.end_column > f.column);
  return f.line >= 1 && f.column >= 1 && ends_after;
}

std::size_t lines_in(std::string_view text) {
  return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

// Whether the report shows every finding, read back from its format. The
// SARIF log is left unread: it holds what the JSON array holds, and reading
// it back would take most of the time of a run.
bool shows_all(Format format, const std::string& out, std::size_t count) {
  switch (format) {
    case Format::Text:
    case Format::Github:
      return lines_in(out) == count;
    case Format::Json:
      return nlohmann::json::parse(out).size() == count;
    case Format::Sarif:
      return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto text = lyre::fuzz::read_text_of(data, size);
  if (!text) return -1;
  // One cache for the whole run, as each thread of the command keeps one.
  static lyre::LibraryCache libraries;
  CheckOptions options{.stdin_filename = "/lyre-fuzz-empty/stdin.track", .paths = {"-"}};
  const StdinText input = stdin_input(options.stdin_filename, std::string(*text));
  const std::vector<Finding> findings = check_stdin(input, libraries, lyre::fuzz::read_std_only);
  for (const Finding& f : findings) expect(f.path == input.shown && placed(f));
  for (const Format format : {Format::Text, Format::Json, Format::Sarif, Format::Github}) {
    options.format = format;
    const Outcome outcome = report({findings}, options);
    expect(shows_all(format, outcome.out, findings.size()));
    expect(lines_in(outcome.err) == 1 && outcome.err.ends_with('\n'));
  }
  return 0;
}
