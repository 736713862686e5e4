// Recognising header lines: the number of leading '#' marks is the nesting
// level, and the parser tracks the path of titles down to the current one.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <variant>
#include <vector>

namespace lyre::docformat {

class Parser;

// How one header line changes the parser's path: drop `pop_count` titles,
// then push `title`. `valid` is false for a header that skips a level.
struct PathChanges {
  std::string_view title;
  Parser* parser = nullptr;
  std::size_t pop_count = 0;
  bool valid = true;

  // Returns the index of the pushed title.
  std::size_t apply() const;
};

struct HeaderLine {
  std::size_t index;  // level minus one
};
struct TextLine {
  std::string_view text;
};
using LineKind = std::variant<HeaderLine, TextLine>;

class Parser {
 public:
  std::vector<std::string_view> path;  // titles, outermost first

  // The kind of one line, or nothing when it is a header that skips a level.
  std::optional<LineKind> line(std::string_view text);
};

std::optional<PathChanges> parse_header(Parser& parser, std::string_view line);

}  // namespace lyre::docformat
