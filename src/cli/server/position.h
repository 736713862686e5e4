// Positions as the protocol counts them (line, then character in the
// negotiated encoding) and as the server stores text (byte offsets into
// UTF-8). Lines end at "\n", "\r\n" or "\r"; a position past the end of its
// line or of the text clamps to that end.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace lyre::server {

enum class PositionEncoding { Utf8, Utf16 };

struct Position {
  std::size_t line = 0;
  std::size_t character = 0;
  bool operator==(const Position&) const = default;
};

// The byte column in `line` (without its terminator) of `character` counted
// in `encoding`. A count that falls inside a character gives that
// character's start; an invalid byte sequence counts as one character.
std::size_t byte_column(std::string_view line, std::size_t character, PositionEncoding encoding);

// The inverse: `column` bytes of `line` counted in `encoding`.
std::size_t encoded_column(std::string_view line, std::size_t column, PositionEncoding encoding);

// The line of `text` numbered `number` from 0, without its terminator;
// the last line when there are fewer, with `number` saying which it is.
struct LineSpan {
  std::size_t number = 0;
  std::size_t start = 0;  // byte offset of the line's first byte
  std::string_view text;
};
LineSpan line_at(std::string_view text, std::size_t number);

// The starts of every line of a text, for converting many places at once.
class LineIndex {
 public:
  explicit LineIndex(std::string_view text);
  // As line_at, without scanning.
  LineSpan line(std::size_t number) const;

 private:
  std::string_view text_;
  std::vector<std::size_t> starts_;
};

// The byte offset of `position` in `text`, clamped as above.
std::size_t offset_of(std::string_view text, Position position, PositionEncoding encoding);

}  // namespace lyre::server
