#include "cli/server/verdict_analysis.h"

#include <array>
#include <cctype>
#include <string>
#include <utility>

#include "cli/server/position.h"
#include "docformat/imports/imports.h"

namespace lyre::server {

namespace {

// The stage words of a FAIL line and the rules they become, named as `lyre
// check` names them; a line with none of them failed the header checks.
constexpr std::array<std::pair<std::string_view, std::string_view>, 5> kStages{{
    {"read: ", "read"},
    {"parse: ", "parse"},
    {"import: ", "import"},
    {"unresolved layers: ", "unknown-layer"},
    {"unknown sounds: ", "unknown-sound"},
}};

// N - 1 when the message starts with "line N: " (N from 1), else 0.
std::size_t leading_line(std::string_view message) {
  constexpr std::string_view prefix = "line ";
  if (!message.starts_with(prefix)) return 0;
  std::size_t line = 0;
  std::size_t i = prefix.size();
  for (; i < message.size() && std::isdigit(static_cast<unsigned char>(message[i])); ++i) {
    // Saturates: any line that far is past the end and clamps to it.
    if (line < (std::size_t{1} << 40))
      line = line * 10 + static_cast<std::size_t>(message[i] - '0');
  }
  const bool numbered = i > prefix.size() && message.substr(i).starts_with(": ") && line > 0;
  return numbered ? line - 1 : 0;
}

}  // namespace

std::vector<Diagnostic> VerdictAnalysis::diagnostics(const DocumentView& document,
                                                     const OpenText& open) {
  const std::string shown(document.path ? *document.path : document.uri);
  std::optional<std::string> base;
  if (document.path) base = docformat::parent_path(*document.path);
  const SourceReader read = [&](std::string_view name) -> std::expected<std::string, ParseError> {
    if (auto text = open(name)) return std::string(*text);
    return read_(name);
  };
  const Verdict verdict =
      check_text(shown, document.text, base, /*refresh=*/false, read, &libraries_);
  if (verdict.ok) return {};

  // The verdict reads "FAIL {shown}: {stage word}{message}".
  std::string_view rest = verdict.line;
  rest.remove_prefix(std::min(rest.size(), std::string_view("FAIL ").size() + shown.size() + 2));
  std::string_view rule = "header";
  for (const auto& [word, stage_rule] : kStages) {
    if (rest.starts_with(word)) {
      rest.remove_prefix(word.size());
      rule = stage_rule;
      break;
    }
  }
  const LineSpan line = line_at(document.text, leading_line(rest));
  const TextSpan span{{line.number, 0}, {line.number, line.text.size()}};
  return {Diagnostic{span, Severity::Error, std::string(rule), std::string(rest)}};
}

}  // namespace lyre::server
