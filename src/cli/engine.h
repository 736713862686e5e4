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

// One problem as the engine finds it, before any report counts its columns:
// the file it stands in as shown, its line from 1, the bytes it covers and the
// text of that line, so that each report can count columns its own way.
struct Problem {
  std::string path;
  std::size_t line = 1;
  std::size_t begin = 0;
  std::size_t end = 0;
  std::string line_text;
  Severity severity = Severity::Error;
  std::string rule;
  std::string message;
  bool imported = false;  // it stands in a file that the checked one imports
};

// Every problem of `text`, shown as `shown`, whose imports resolve against
// `base` through `read`: reading goes on after each, every import is
// followed, and every name the text refers to is checked. In no particular
// order.
std::vector<Problem> problems_of(const std::string& shown, std::string_view text,
                                 const std::optional<std::string>& base, const SourceReader& read,
                                 LibraryCache& libraries);

// Every finding of one file, in no particular order. `libraries` serves one
// thread only.
std::vector<Finding> check_one(const CheckedFile& file, LibraryCache& libraries);

// The same for standard input; `read` fetches what it imports.
std::vector<Finding> check_stdin(const StdinText& input, LibraryCache& libraries,
                                 const SourceReader& read = read_source);

}  // namespace lyre::cli
