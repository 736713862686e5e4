// The seam between the command and what finds problems: everything else in
// the command sees findings only, so the engine behind these two functions
// can be replaced alone.
#pragma once

#include <expected>
#include <optional>
#include <string>
#include <vector>

#include "checker/check_file.h"
#include "checker/collect.h"
#include "cli/finding.h"
#include "lyre/track/format/source/read_source.h"

namespace lyre::cli {

// Text read from standard input, checked under the path it is shown by.
struct StdinText {
  std::string shown;                             // --stdin-filename, else "-"
  std::optional<std::string> base;               // where its imports resolve
  std::expected<std::string, std::string> text;  // or why it could not be read
};

// Every finding of one file, in no particular order. `libraries` serves one
// thread only.
std::vector<Finding> check_one(const CheckedFile& file, LibraryCache& libraries);

// The same for standard input; `read` fetches what it imports.
std::vector<Finding> check_stdin(const StdinText& input, LibraryCache& libraries,
                                 const SourceReader& read = read_source);

}  // namespace lyre::cli
