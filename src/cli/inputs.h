// What one run checks: the paths of the command line taken as lyrelint takes
// them, with "-" for standard input.
#pragma once

#include <expected>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "checker/collect.h"
#include "cli/engine.h"

namespace lyre::cli {

using Input = std::variant<CheckedFile, StdinText>;

// Standard input's text as a run checks it: shown as `name` (the
// --stdin-filename), else as "-", and importing beside it; without a name
// its imports resolve in the current directory.
StdinText stdin_input(const std::optional<std::string>& name,
                      std::expected<std::string, std::string> text);

// The path an input is ordered by.
std::string_view input_path(const Input& input);

// Files as given, directories walked for *.track, "-" as `stdin_text` (which
// is given when a path is "-"), all in path order. The error is the line to
// print for a directory that cannot be walked.
std::expected<std::vector<Input>, std::string> collect_inputs(
    const std::vector<std::string>& paths, const std::optional<StdinText>& stdin_text);

}  // namespace lyre::cli
