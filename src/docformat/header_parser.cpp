#include "docformat/header_parser.h"

#include "docformat/whitespace.h"

namespace lyre::docformat {

std::size_t PathChanges::apply() const {
  auto& path = parser->path;
  const std::size_t pops = pop_count < path.size() ? pop_count : path.size();
  path.resize(path.size() - pops);
  path.push_back(title);
  return path.size() - 1;
}

std::optional<PathChanges> parse_header(Parser& parser, std::string_view line) {
  std::size_t level = 0;
  while (level < line.size() && line[level] == '#') ++level;
  if (level == 0) return std::nullopt;
  const std::size_t depth = parser.path.size();
  if (level - 1 > depth) return PathChanges{{}, &parser, 0, false};
  return PathChanges{trim(line.substr(level)), &parser, depth - level + 1, true};
}

std::optional<LineKind> Parser::line(std::string_view text) {
  auto changes = parse_header(*this, text);
  if (!changes) return TextLine{text};
  if (!changes->valid) return std::nullopt;
  return HeaderLine{changes->apply()};
}

}  // namespace lyre::docformat
