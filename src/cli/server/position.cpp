#include "cli/server/position.h"

#include <algorithm>

#include "track/format/source/utf8.h"

namespace lyre::server {

namespace {

// UTF-16 needs a surrogate pair exactly for the four-byte characters.
std::size_t units(Utf8Step step, PositionEncoding encoding) {
  if (encoding == PositionEncoding::Utf8) return step.length;
  return step.valid && step.length == 4 ? 2 : 1;
}

// Where the terminator of the line starting at `start` begins.
std::size_t line_end(std::string_view text, std::size_t start) {
  const std::size_t end = text.find_first_of("\r\n", start);
  return end == std::string_view::npos ? text.size() : end;
}

// The start of the line after the one ending at `end` (a terminator there).
std::size_t next_line(std::string_view text, std::size_t end) {
  if (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') return end + 2;
  return end + 1;
}

}  // namespace

std::size_t byte_column(std::string_view line, std::size_t character, PositionEncoding encoding) {
  std::size_t column = 0;
  std::size_t counted = 0;
  while (column < line.size()) {
    const Utf8Step step = utf8_step(line, column);
    counted += units(step, encoding);
    if (counted > character) break;
    column += step.length;
  }
  return column;
}

std::size_t encoded_column(std::string_view line, std::size_t column, PositionEncoding encoding) {
  std::size_t at = 0;
  std::size_t counted = 0;
  while (at < line.size()) {
    const Utf8Step step = utf8_step(line, at);
    if (at + step.length > column) break;
    at += step.length;
    counted += units(step, encoding);
  }
  return counted;
}

LineSpan line_at(std::string_view text, std::size_t number) {
  std::size_t start = 0;
  std::size_t end = line_end(text, start);
  std::size_t current = 0;
  while (current < number && end < text.size()) {
    start = next_line(text, end);
    end = line_end(text, start);
    ++current;
  }
  return LineSpan{current, start, text.substr(start, end - start)};
}

LineIndex::LineIndex(std::string_view text) : text_(text) {
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = line_end(text, start);
    starts_.push_back(start);
    if (end == text.size()) break;
    start = next_line(text, end);
  }
}

LineSpan LineIndex::line(std::size_t number) const {
  number = std::min(number, starts_.size() - 1);
  const std::size_t start = starts_[number];
  return LineSpan{number, start, text_.substr(start, line_end(text_, start) - start)};
}

std::size_t offset_of(std::string_view text, Position position, PositionEncoding encoding) {
  const LineSpan line = line_at(text, position.line);
  if (line.number < position.line) return text.size();
  return line.start + byte_column(line.text, position.character, encoding);
}

}  // namespace lyre::server
