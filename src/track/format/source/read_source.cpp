#include "lyre/track/format/source/read_source.h"

#include "docformat/imports/imports.h"
#include "track/format/source/display_path.h"
#include "track/format/source/read_text.h"
#include "track/format/source/std_libraries.h"
#include "track/format/source/utf8.h"

namespace lyre {

std::expected<std::string, ParseError> read_source(std::string_view name) {
  const bool valid_text = first_invalid_utf8(name) == std::string_view::npos;
  if (valid_text && name.size() > 3 && name.starts_with("std:")) {
    if (auto text = std_source(name)) return std::string(*text);
    return std::unexpected(ParseError(ParseError::ImportRead{
        std::string(name), "unknown std import (enable the 'std-instruments' feature)"}));
  }
  std::string shown = display_path(name);
  if (docformat::is_url(shown)) {
    return std::unexpected(ParseError(
        ParseError::ImportDownload{std::move(shown), "the 'online' feature is disabled"}));
  }
  // Imports read regular files only: a FIFO or device would block or never end.
  auto text = read_text(std::string(name), /*regular_only=*/true);
  if (!text)
    return std::unexpected(ParseError(ParseError::ImportRead{std::move(shown), text.error()}));
  return std::move(*text);
}

}  // namespace lyre
