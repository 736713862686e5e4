// The verdict-based engine: findings read back from lyrelint's verdict line,
// so a file gets at most one, an error. It stands in until the library reports
// places of its own, and is then replaced as a whole.
#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>
#include <utility>

#include "cli/engine.h"
#include "track/format/source/display_path.h"

namespace lyre::cli {

namespace {

// The stage words of a FAIL line and the rules they become; a line with none
// of them failed the header or preamble checks.
constexpr std::array<std::pair<std::string_view, std::string_view>, 5> kStages{{
    {"read: ", "read"},
    {"parse: ", "parse"},
    {"import: ", "import"},
    {"unresolved layers: ", "unknown-layer"},
    {"unknown sounds: ", "unknown-sound"},
}};

// N when the message starts with "line N: ", else 1.
std::size_t leading_line(std::string_view message) {
  constexpr std::string_view prefix = "line ";
  if (!message.starts_with(prefix)) return 1;
  std::size_t line = 0;
  std::size_t i = prefix.size();
  for (; i < message.size() && std::isdigit(static_cast<unsigned char>(message[i])); ++i) {
    line = line * 10 + static_cast<std::size_t>(message[i] - '0');
  }
  const bool numbered = i > prefix.size() && message.substr(i).starts_with(": ") && line > 0;
  return numbered ? line : 1;
}

std::vector<Finding> findings_of(const std::string& shown, const Verdict& verdict) {
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
  const std::size_t line = leading_line(rest);
  return {Finding{shown, line, 1, line, 2, Severity::Error, std::string(rule), std::string(rest)}};
}

}  // namespace

std::vector<Finding> check_one(const CheckedFile& file, LibraryCache& libraries) {
  return findings_of(display_path(file.path), check_file(file, /*refresh=*/false, libraries));
}

std::vector<Finding> check_stdin(const StdinText& input, LibraryCache& libraries,
                                 const SourceReader& read) {
  if (!input.text) {
    return {Finding{input.shown, 1, 1, 1, 2, Severity::Error, "read", input.text.error()}};
  }
  return findings_of(input.shown, check_text(input.shown, *input.text, input.base,
                                             /*refresh=*/false, read, &libraries));
}

}  // namespace lyre::cli
