#include "cli/command_line.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <array>
#include <charconv>
#include <sstream>
#include <utility>

#include "checker/in_order.h"
#include "cli/rules.h"
#include "lyre/version.h"

namespace lyre::cli {

namespace {

constexpr std::array<std::pair<const char*, Format>, 4> kFormats{{
    {"text", Format::Text},
    {"json", Format::Json},
    {"sarif", Format::Sarif},
    {"github", Format::Github},
}};

// Only warnings may be ignored: an error is what lyrelint fails a file for.
std::string check_ignorable(const std::string& id) {
  const Rule* rule = find_rule(id);
  if (rule == nullptr) return "unknown rule '" + id + "'";
  if (rule->severity == Severity::Error)
    return "rule '" + id + "' is an error and cannot be ignored";
  return {};
}

// A count of threads: digits only, 1 or more.
std::string check_jobs(const std::string& count) {
  unsigned value = 0;
  const auto [end, error] = std::from_chars(count.data(), count.data() + count.size(), value);
  if (error != std::errc() || end != count.data() + count.size() || value == 0) {
    return "expected a number of 1 or more, not '" + count + "'";
  }
  return {};
}

}  // namespace

std::variant<CheckOptions, ServerOptions, Outcome> parse_command_line(int argc,
                                                                      const char* const* argv) {
  CheckOptions options;
  options.jobs = usable_threads();
  std::string format = "text";
  std::string stdin_filename;

  CLI::App app{
      "Checks .track files and reports every problem with its place, or serves editors as a "
      "language server.",
      "lyre"};
  app.set_version_flag("--version", "lyre " + std::string(kVersion));
  app.require_subcommand(1);
  CLI::App* check = app.add_subcommand(
      "check", "Check .track files: directories are walked for *.track, - reads standard input.");
  std::vector<std::string> format_names;
  for (const auto& [name, value] : kFormats) format_names.emplace_back(name);
  check->add_option("--format", format, "Report format (default text)")
      ->check(CLI::IsMember(format_names));
  check->add_option("--ignore", options.ignored, "Drop the findings of a warning rule")
      ->check(CLI::Validator([](std::string& id) { return check_ignorable(id); }, "RULE"));
  check->add_flag("--strict", options.strict, "Warnings also make the exit status 1");
  check->add_option("-j,--jobs", options.jobs, "Files checked in parallel")
      ->check(CLI::Validator([](std::string& count) { return check_jobs(count); }, "N"));
  CLI::Option* named = check->add_option("--stdin-filename", stdin_filename,
                                         "The path standard input is shown by and imports from");
  check->add_option("path", options.paths, ".track files or directories; - for standard input")
      ->required();
  CLI::App* server = app.add_subcommand(
      "server", "Serve the Language Server Protocol on standard input and output, for editors.");

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    std::ostringstream out;
    std::ostringstream err;
    const int code = app.exit(error, out, err);
    return Outcome{out.str(), err.str(), code == 0 ? kStatusClean : kStatusUsage};
  }
  if (server->parsed()) return ServerOptions{};
  for (const auto& [name, value] : kFormats) {
    if (format == name) options.format = value;
  }
  if (named->count() > 0) options.stdin_filename = stdin_filename;
  return options;
}

}  // namespace lyre::cli
