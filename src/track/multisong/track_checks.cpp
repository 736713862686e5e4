#include "lyre/track/multisong/track_checks.h"

#include "docformat/text.h"
#include "docformat/whitespace.h"

namespace lyre {

namespace {

using Errors = std::vector<docformat::ParseError>;

std::expected<void, docformat::ParseError> first_of(Errors errors) {
  if (errors.empty()) return {};
  return std::unexpected(std::move(errors.front()));
}

void add_meta_directive_errors(const TrackDocument& document, Errors& errors) {
  std::size_t number = 0;
  for (std::string_view raw : document.header) {
    ++number;
    std::string_view line = trim(raw);
    if (line.empty() || line[0] != '@') continue;
    std::string_view word = split_at_whitespace(trim_start(line.substr(1))).head;
    if (word == "import") continue;
    // The message quotes '@word': the place runs from the '@' to the word's end.
    const std::string_view quoted =
        line.substr(0, static_cast<std::size_t>(word.data() + word.size() - line.data()));
    errors.push_back(docformat::ParseError(
        docformat::ParseError::Source{docformat::Cause{
            cat("'@", word,
                "' outside a song block does nothing: only '@import' is a document-level "
                "directive, a song header belongs in a '## <name>' block under '# Songs'"),
            number}},
        docformat::place_in_line(number, raw, quoted)));
  }
}

// The name before a colon when a stray Sounds line looks like the retired
// one-line sound syntax ("lead: saw 1.0").
std::string_view one_line_sound_name(std::string_view line) {
  const std::size_t colon = line.find(':');
  if (colon == std::string_view::npos || colon == 0) return {};
  std::string_view name = line.substr(0, colon);
  if (split_at_whitespace(name).found) return {};
  return name;
}

void add_preamble_errors(const TrackDocument& document, Errors& errors) {
  document.sections.for_each_list([&](const auto& list, const TrackSections::Row& row) {
    const std::string_view heading = row.heading;
    for (const docformat::PreambleLine& preamble : list.preamble) {
      const std::string_view raw = preamble.text;
      std::string_view line = trim(raw);
      if (line.empty()) continue;
      std::string hint;
      std::string_view name = heading == "Sounds" ? one_line_sound_name(line) : "";
      if (!name.empty()) {
        hint = cat("the pre-0.20 one-line sound syntax was replaced by a '## ", name,
                   "' block, one harmonic per line and every setting as its own '@' directive");
      } else {
        hint = cat("move it into a '## <name>' block under '# ", heading, "'");
      }
      // The message quotes the whole line, which stands in the text as a
      // copy: its place is the line, trimmed.
      errors.push_back(docformat::ParseError(docformat::ParseError::Source{docformat::Cause{cat(
                                                 "'", line, "' sits before the first block of '# ",
                                                 heading, "', where nothing reads it: ", hint)}},
                                             docformat::place_in_line(preamble.line, raw)));
    }
  });
}

}  // namespace

std::expected<void, docformat::ParseError> check_meta_directives(const TrackDocument& document) {
  Errors errors;
  add_meta_directive_errors(document, errors);
  return first_of(std::move(errors));
}

std::expected<void, docformat::ParseError> check_section_preambles(const TrackDocument& document) {
  Errors errors;
  add_preamble_errors(document, errors);
  return first_of(std::move(errors));
}

std::vector<docformat::ParseError> header_errors(const TrackDocument& document) {
  Errors errors;
  add_meta_directive_errors(document, errors);
  add_preamble_errors(document, errors);
  return errors;
}

}  // namespace lyre
