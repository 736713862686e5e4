// Shared input handling of the fuzz targets: the checker only ever hands
// valid UTF-8 to its readers, so the targets refuse anything else up front,
// and imports come from the built-in libraries, so no target reads a file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <expected>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lyre/track.h"
#include "track/format/source/std_libraries.h"
#include "track/format/source/utf8.h"

namespace lyre::fuzz {

// The input as text, or none when it is not valid UTF-8.
inline std::optional<std::string_view> utf8_text(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  if (first_invalid_utf8(text) != std::string_view::npos) return std::nullopt;
  return text;
}

// The input as the read stage hands it on, which refuses invalid UTF-8 and
// drops one leading byte order mark.
inline std::optional<std::string_view> read_text_of(const std::uint8_t* data, std::size_t size) {
  auto text = utf8_text(data, size);
  if (text && text->starts_with("\xEF\xBB\xBF")) text->remove_prefix(3);
  return text;
}

// Lines cut at '\n' with one trailing '\r' dropped, as the document splitter does.
inline std::vector<std::string_view> split_lines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    if (line.ends_with('\r')) line.remove_suffix(1);
    lines.push_back(line);
    pos = end + 1;
  }
  return lines;
}

// The text up to its first line feed, without a trailing '\r'.
inline std::string_view first_line(std::string_view text) {
  std::string_view line = text.substr(0, text.find('\n'));
  if (line.ends_with('\r')) line.remove_suffix(1);
  return line;
}

// Reads an import source from the built-in libraries only.
inline std::expected<std::string, ParseError> read_std_only(std::string_view name) {
  if (auto text = std_source(name)) return std::string(*text);
  return std::unexpected(
      ParseError(ParseError::ImportRead{std::string(name), "no files while fuzzing"}));
}

}  // namespace lyre::fuzz
