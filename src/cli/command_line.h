// The command line of `lyre`: `lyre check [options] <path>...`, --help and
// --version.
#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "cli/formats.h"
#include "cli/outcome.h"

namespace lyre::cli {

struct CheckOptions {
  Format format = Format::Text;
  std::vector<std::string> ignored;  // warning rules only
  bool strict = false;
  unsigned jobs = 1;
  std::optional<std::string> stdin_filename;
  std::vector<std::string> paths;
  bool operator==(const CheckOptions&) const = default;
};

// `lyre server`: the language server on standard input and output.
struct ServerOptions {
  bool operator==(const ServerOptions&) const = default;
};

// The options of a check or of the server, or what to print instead: help
// and the version (status 0) or a usage error (status 2).
std::variant<CheckOptions, ServerOptions, Outcome> parse_command_line(int argc,
                                                                      const char* const* argv);

}  // namespace lyre::cli
