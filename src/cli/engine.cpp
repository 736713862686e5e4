// The engine: every problem of a text, from the library's reading that goes
// on past errors, its whole-document checks, every import and the name rules.
#include "cli/engine.h"

#include <algorithm>
#include <map>
#include <optional>
#include <string_view>
#include <utility>
#include <variant>

#include "docformat/imports/imports.h"
#include "lyre/track.h"
#include "lyre/track/format/source/read_source.h"
#include "lyre/track/name_problems.h"
#include "track/format/source/display_path.h"
#include "track/format/source/read_text.h"

namespace lyre::cli {

namespace {

// The lines of a text, found once: a text with many problems is not scanned
// again for each.
class Lines {
 public:
  explicit Lines(std::string_view text) : text_(text) {}

  // Line `number` (from 1), without its line end; empty past the end.
  std::string_view line(std::size_t number) {
    if (starts_.empty()) {
      starts_.push_back(0);
      for (std::size_t at = text_.find('\n'); at != std::string_view::npos;
           at = text_.find('\n', at + 1)) {
        starts_.push_back(at + 1);
      }
    }
    if (number == 0 || number > starts_.size()) return {};
    std::string_view line = text_.substr(starts_[number - 1]);
    line = line.substr(0, line.find('\n'));
    if (line.ends_with('\r')) line.remove_suffix(1);
    return line;
  }

 private:
  std::string_view text_;
  std::vector<std::size_t> starts_;
};

// The column, counted in code points from 1, of byte `offset` of `line`.
std::size_t column_at(std::string_view line, std::size_t offset) {
  offset = std::min(offset, line.size());
  const auto continuation = [](char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; };
  return 1 + static_cast<std::size_t>(
                 offset - std::count_if(line.begin(), line.begin() + offset, continuation));
}

// Gathers the problems of one checked text. Problems in an imported file
// need that file's lines to count columns: each such file is read again
// once, and only when it has a problem.
class Gather {
 public:
  Gather(const std::string& shown, std::string_view text, const SourceReader& read)
      : shown_(shown), lines_(text), read_(read) {}

  void add(const docformat::ParseError& error, std::string_view rule) {
    if (const auto* inside = std::get_if<docformat::ParseError::InImport>(&error.kind())) {
      add_at(inside->import, error.place(), Severity::Error, rule, error.message());
      return;
    }
    add_at(std::nullopt, error.place(), Severity::Error, rule, error.message());
  }

  void add(const NameProblem& problem) {
    const docformat::Place place{problem.place.line, problem.place.begin, problem.place.end()};
    add_at(problem.origin, place, problem.error ? Severity::Error : Severity::Warning, problem.rule,
           problem.message);
  }

  void add_unplaced(std::string_view rule, std::string message) {
    problems_.push_back(
        Problem{shown_, 1, 0, 0, {}, Severity::Error, std::string(rule), std::move(message)});
  }

  std::vector<Problem> take() && { return std::move(problems_); }

 private:
  // `file` is the import path of the file the problem stands in; none: the
  // checked text.
  void add_at(const std::optional<std::string>& file, const docformat::Place& place,
              Severity severity, std::string_view rule, std::string message) {
    const std::size_t line = std::max<std::size_t>(place.line, 1);
    problems_.push_back(Problem{file ? display_path(*file) : shown_, line, place.begin, place.end,
                                std::string((file ? lines_of(*file) : lines_).line(line)), severity,
                                std::string(rule), std::move(message), file.has_value()});
  }

  Lines& lines_of(const std::string& file) {
    auto [it, inserted] = imported_.try_emplace(file);
    if (inserted) {
      auto text = read_(file);
      if (text) it->second.text = std::move(*text);
      it->second.lines = Lines(it->second.text);  // map nodes stay where they are
    }
    return it->second.lines;
  }

  // An imported file's text and its lines, which point into it.
  struct Imported {
    std::string text;
    Lines lines{{}};
  };

  const std::string& shown_;
  Lines lines_;
  const SourceReader& read_;
  std::map<std::string, Imported, std::less<>> imported_;
  std::vector<Problem> problems_;
};

std::vector<Finding> findings_of(const std::vector<Problem>& problems) {
  std::vector<Finding> findings;
  findings.reserve(problems.size());
  for (const Problem& problem : problems) {
    const std::size_t column = column_at(problem.line_text, problem.begin);
    const std::size_t end = std::max(column_at(problem.line_text, problem.end), column + 1);
    findings.push_back(Finding{problem.path, problem.line, column, problem.line, end,
                               problem.severity, problem.rule, problem.message, problem.imported});
  }
  return findings;
}

}  // namespace

std::vector<Problem> problems_of(const std::string& shown, std::string_view text,
                                 const std::optional<std::string>& base, const SourceReader& read,
                                 LibraryCache& libraries) {
  Gather gather(shown, text, read);
  TrackRead parsed = read_track(text);
  for (const docformat::ParseError& error : parsed.errors) gather.add(error, "parse");
  for (const docformat::ParseError& error : header_errors(parsed.document)) {
    gather.add(error, "header");
  }
  for (const docformat::ParseError& error :
       resolve_all_imports(parsed.document, base, read, &libraries)) {
    gather.add(error, "import");
  }
  for (const NameProblem& problem : name_problems(parsed.document)) gather.add(problem);
  return std::move(gather).take();
}

std::vector<Finding> check_one(const CheckedFile& file, LibraryCache& libraries) {
  const std::string shown = display_path(file.path);
  auto text = read_text(file.path, file.found_by_walk);
  if (!text) {
    Gather gather(shown, {}, read_source);
    gather.add_unplaced("read", text.error());
    return findings_of(std::move(gather).take());
  }
  return findings_of(
      problems_of(shown, *text, docformat::parent_path(file.path), read_source, libraries));
}

std::vector<Finding> check_stdin(const StdinText& input, LibraryCache& libraries,
                                 const SourceReader& read) {
  if (!input.text) {
    Gather gather(input.shown, {}, read);
    gather.add_unplaced("read", input.text.error());
    return findings_of(std::move(gather).take());
  }
  return findings_of(problems_of(input.shown, *input.text, input.base, read, libraries));
}

}  // namespace lyre::cli
