// The first-error engine: the steps of lyrelint's pipeline, in its order, and
// the first problem as one finding at its place. It stands in until reading
// recovers after a problem and every reference knows its place; the layer and
// sound checks still name no place, and stand at the file's first line.
#include <algorithm>
#include <array>
#include <optional>
#include <string_view>
#include <utility>

#include "cli/engine.h"
#include "docformat/imports/imports.h"
#include "lyre/track.h"
#include "lyre/track/format/source/read_source.h"
#include "track/format/source/display_path.h"
#include "track/format/source/read_text.h"

namespace lyre::cli {

namespace {

std::string join(const std::vector<std::string>& names) {
  std::string out;
  for (const std::string& name : names) {
    if (!out.empty()) out += ", ";
    out += name;
  }
  return out;
}

// Line `number` of `text` (from 1), without its line end; empty past the end.
std::string_view line_of(std::string_view text, std::size_t number) {
  for (std::size_t n = 1; n < number; ++n) {
    const std::size_t newline = text.find('\n');
    if (newline == std::string_view::npos) return {};
    text.remove_prefix(newline + 1);
  }
  std::string_view line = text.substr(0, text.find('\n'));
  if (line.ends_with('\r')) line.remove_suffix(1);
  return line;
}

// The column, counted in code points from 1, of byte `offset` of `line`.
std::size_t column_at(std::string_view line, std::size_t offset) {
  offset = std::min(offset, line.size());
  const auto continuation = [](char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; };
  return 1 + static_cast<std::size_t>(
                 offset - std::count_if(line.begin(), line.begin() + offset, continuation));
}

// A problem at the error's place in `text`, the file shown as `shown`.
Problem problem_at(const std::string& shown, std::string_view text, std::string_view rule,
                   const docformat::ParseError& error) {
  const docformat::Place& place = error.place();
  const std::size_t line = std::max<std::size_t>(place.line, 1);
  return Problem{shown,
                 line,
                 place.begin,
                 place.end,
                 std::string(line_of(text, line)),
                 std::string(rule),
                 error.message()};
}

// A problem that names no place: the start of the file.
Problem problem_without_place(const std::string& shown, std::string_view rule,
                              std::string message) {
  return Problem{shown, 1, 0, 0, {}, std::string(rule), std::move(message)};
}

std::vector<Finding> findings_of(const std::vector<Problem>& problems) {
  std::vector<Finding> findings;
  for (const Problem& problem : problems) {
    const std::size_t column = column_at(problem.line_text, problem.begin);
    const std::size_t end = std::max(column_at(problem.line_text, problem.end), column + 1);
    findings.push_back(Finding{problem.path, problem.line, column, problem.line, end,
                               Severity::Error, problem.rule, problem.message});
  }
  return findings;
}

}  // namespace

std::vector<Problem> problems_of(const std::string& shown, std::string_view text,
                                 const std::optional<std::string>& base, const SourceReader& read,
                                 LibraryCache& libraries) {
  auto document = parse_track(text);
  if (!document) return {problem_at(shown, text, "parse", document.error())};
  if (auto ok = check_meta_directives(*document); !ok) {
    return {problem_at(shown, text, "header", ok.error())};
  }
  if (auto ok = check_section_preambles(*document); !ok) {
    return {problem_at(shown, text, "header", ok.error())};
  }
  if (auto ok = resolve_imports(*document, base, /*refresh=*/false, read, &libraries); !ok) {
    const auto* inside = std::get_if<docformat::ParseError::InImport>(&ok.error().kind());
    if (inside == nullptr) return {problem_at(shown, text, "import", ok.error())};
    // A problem inside an imported file stands at its place in that file,
    // whose text the reader gives again.
    auto imported = read(inside->import);
    const std::string imported_text = imported ? std::move(*imported) : std::string();
    return {problem_at(display_path(inside->import), imported_text, "import", ok.error())};
  }
  LayerCheck layers = check_layers(*document);
  if (!layers.unresolved.empty()) {
    return {problem_without_place(shown, "unknown-layer", join(layers.unresolved))};
  }
  std::vector<std::string> unknown = unknown_sounds(*document);
  if (!unknown.empty()) return {problem_without_place(shown, "unknown-sound", join(unknown))};
  return {};
}

std::vector<Finding> check_one(const CheckedFile& file, LibraryCache& libraries) {
  const std::string shown = display_path(file.path);
  auto text = read_text(file.path, file.found_by_walk);
  if (!text) return findings_of({problem_without_place(shown, "read", text.error())});
  return findings_of(
      problems_of(shown, *text, docformat::parent_path(file.path), read_source, libraries));
}

std::vector<Finding> check_stdin(const StdinText& input, LibraryCache& libraries,
                                 const SourceReader& read) {
  if (!input.text) {
    return findings_of({problem_without_place(input.shown, "read", input.text.error())});
  }
  return findings_of(problems_of(input.shown, *input.text, input.base, read, libraries));
}

}  // namespace lyre::cli
