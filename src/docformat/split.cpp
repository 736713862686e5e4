#include "docformat/split.h"

#include <algorithm>
#include <cstring>
#include <functional>

#include "docformat/header_parser.h"
#include "docformat/whitespace.h"

namespace lyre::docformat {

namespace {

void trim_blank_lines(std::vector<std::string_view>& lines, std::size_t* first_line) {
  std::size_t end = lines.size();
  while (end > 0 && is_blank(lines[end - 1])) --end;
  std::size_t begin = 0;
  while (begin < end && is_blank(lines[begin])) ++begin;
  if (first_line) {
    // Leading blanks of an all-blank block count too, so `line` moves past every one.
    std::size_t leading = 0;
    while (leading < lines.size() && is_blank(lines[leading])) ++leading;
    *first_line += leading;
  }
  lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(end), lines.end());
  lines.erase(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(begin));
}

}  // namespace

void trim_blank_edges(Instance& instance) { trim_blank_lines(instance.lines, &instance.line); }

std::expected<SplitDocument, ParseError> split_document(std::string_view text,
                                                        std::vector<ParseError>* errors) {
  SplitDocument doc;
  Parser parser;
  std::vector<std::size_t> path;  // node indices from the section down to the current block
  // Where text lines go: only a header line changes it, so the many lines
  // between two headers are appended without looking the block up again.
  std::vector<std::string_view>* lines = &doc.header;
  std::size_t number = 0;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const char* const start = text.data() + pos;
    const auto* const newline =
        static_cast<const char*>(std::memchr(start, '\n', text.size() - pos));
    std::string_view line;
    if (newline == nullptr) {
      line = text.substr(pos);
      pos = text.size();
    } else {
      line = std::string_view(start, static_cast<std::size_t>(newline - start));
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      pos += static_cast<std::size_t>(newline - start) + 1;
    }
    ++number;
    // Only a line that begins with '#' can be a header.
    if (!line.starts_with('#')) {
      lines->push_back(line);
      continue;
    }
    auto kind = parser.line(line);
    if (!kind) {
      const Place place = place_in_line(number, line);
      if (!errors) return std::unexpected(ParseError(ParseError::SubheaderWithoutHeader{}, place));
      errors->emplace_back(ParseError::SubheaderWithoutHeader{}, place);
      continue;
    }
    if (const auto* text_line = std::get_if<TextLine>(&*kind)) {
      lines->push_back(text_line->text);
      continue;
    }
    const std::size_t index = std::get<HeaderLine>(*kind).index;
    const std::string_view title = parser.path.back();
    if (index == 0) {
      doc.sections.push_back(SectionBlock{title, {}, number + 1, number, {}, {}});
      path.clear();
      lines = &doc.sections.back().lines;
      continue;
    }
    SectionBlock& section = doc.sections.back();
    path.resize(std::min(path.size(), index - 1));
    const std::size_t node = section.nodes.size();
    // The title is a slice of the line, but an empty one may point anywhere.
    const std::less_equal<const char*> not_after;
    const bool on_line = not_after(line.data(), title.data()) &&
                         not_after(title.data() + title.size(), line.data() + line.size());
    const std::size_t column = on_line ? static_cast<std::size_t>(title.data() - line.data()) : 0;
    section.nodes.push_back(Instance{title, {}, {}, number + 1, number, column});
    if (path.empty()) {
      section.instances.push_back(node);
    } else {
      section.nodes[path.back()].children.push_back(node);
    }
    path.push_back(node);
    lines = &section.nodes.back().lines;
  }
  for (SectionBlock& section : doc.sections) {
    trim_blank_lines(section.lines, &section.line);
    for (Instance& node : section.nodes) trim_blank_edges(node);
  }
  return doc;
}

std::expected<void, ParseError> reject_stray_meta(const std::vector<std::string_view>& header) {
  std::size_t number = 0;
  for (std::string_view line : header) {
    ++number;
    std::string_view trimmed = trim(line);
    if (!trimmed.empty() && trimmed[0] != '@') {
      return std::unexpected(ParseError(ParseError::LineOutsideSection{std::string(trimmed)},
                                        place_in_line(number, line)));
    }
  }
  return {};
}

}  // namespace lyre::docformat
