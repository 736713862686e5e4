#include "cli/server/verdict_analysis.h"

#include <string>
#include <utility>

#include "cli/engine.h"
#include "cli/server/documents.h"
#include "cli/server/navigation.h"
#include "docformat/imports/imports.h"
#include "track/format/source/display_path.h"

namespace lyre::server {

namespace {

Severity severity_of(cli::Severity severity) {
  return severity == cli::Severity::Error ? Severity::Error : Severity::Warning;
}

// The span of the target of the `@import` line that names the file shown as
// `path`, or of the first `@import` line; none without one.
TextSpan import_span(const std::vector<docformat::Import>& imports,
                     const std::optional<std::string>& base, std::string_view path) {
  if (imports.empty()) return {};
  const docformat::Import* line = &imports.front();
  for (const docformat::Import& import : imports) {
    if (display_path(docformat::resolve_import_path(base, import.target)) == path) {
      line = &import;
      break;
    }
  }
  const std::size_t at = line->place.line - 1;
  return TextSpan{{at, line->place.begin}, {at, line->place.end}};
}

}  // namespace

std::vector<Diagnostic> VerdictAnalysis::diagnostics(const DocumentView& document,
                                                     const OpenText& open) {
  const std::string shown(document.path ? *document.path : document.uri);
  std::optional<std::string> base;
  if (document.path) base = docformat::parent_path(*document.path);
  const SourceReader read = reader(open);
  const std::vector<docformat::Import> imports =
      docformat::parse_imports(import_lines(document.text));
  std::vector<Diagnostic> diagnostics;
  for (cli::Problem& problem : cli::problems_of(shown, document.text, base, read, libraries_)) {
    if (problem.path == shown) {
      const std::size_t line = problem.line - 1;
      diagnostics.push_back(Diagnostic{{{line, problem.begin}, {line, problem.end}},
                                       severity_of(problem.severity),
                                       std::move(problem.rule),
                                       std::move(problem.message)});
      continue;
    }
    // A problem inside an imported file stands on the `@import` line that
    // brings the file in, or else the first, which leads to it through the
    // files it imports; its file and line lead the message.
    diagnostics.push_back(
        Diagnostic{import_span(imports, base, problem.path), severity_of(problem.severity),
                   std::move(problem.rule),
                   problem.path + ":" + std::to_string(problem.line) + ": " + problem.message});
  }
  return diagnostics;
}

SourceReader VerdictAnalysis::reader(const OpenText& open) const {
  return [this, &open](std::string_view name) -> std::expected<std::string, ParseError> {
    if (auto text = open(name)) return std::string(*text);
    return read_(name);
  };
}

std::vector<Target> VerdictAnalysis::definition(const DocumentView& document, TextPlace place,
                                                const OpenText& open) {
  const SourceReader read = reader(open);
  return definition_at(document, place, ImportSources{read, libraries_});
}

std::optional<HoverText> VerdictAnalysis::hover(const DocumentView& document, TextPlace place,
                                                const OpenText& open) {
  const SourceReader read = reader(open);
  return hover_at(document, place, ImportSources{read, libraries_});
}

std::vector<OutlineSection> VerdictAnalysis::outline(const DocumentView& document) {
  return outline_of(document);
}

std::vector<Completion> VerdictAnalysis::completion(const DocumentView& document, TextPlace place,
                                                    const OpenText& open) {
  const SourceReader read = reader(open);
  return completion_at(document, place, ImportSources{read, libraries_});
}

}  // namespace lyre::server
