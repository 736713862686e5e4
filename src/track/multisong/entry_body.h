// The one loop that reads an entry body, for every entry type: body lines
// numbered from 1 counting blank ones, each trimmed, blank ones skipped, and
// the first error ending the body, numbered as the section table says.
#pragma once

#include <concepts>
#include <cstddef>
#include <expected>
#include <span>
#include <string_view>
#include <type_traits>

#include "docformat/whitespace.h"
#include "lyre/docformat/name_place.h"
#include "lyre/docformat/parse_error.h"
#include "lyre/track/multisong/track_sections.h"

namespace lyre {

struct BodyLine {
  std::string_view raw;   // as the file has it
  std::string_view text;  // trimmed, never empty
  std::size_t n = 0;      // the body line, from 1
  docformat::LineAt at;   // places the names written on it
};

// Calls `read(line)` for each non-blank line of the body of an entry of type
// `T`, whose first line is file line `first_line`. `read` returns nothing or
// an error that gives a `Cause`, or the `Cause` itself.
template <class T, class Read>
std::expected<void, docformat::ParseError> read_body(std::span<const std::string_view> lines,
                                                     std::size_t first_line, Read&& read) {
  constexpr docformat::Numbering numbering = numbering_of<T>();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string_view text = trim(lines[i]);
    if (text.empty()) continue;
    const std::size_t n = i + 1;
    auto done = read(BodyLine{lines[i], text, n, {lines[i], first_line + i}});
    if (done) continue;
    using Error = std::remove_cvref_t<decltype(done.error())>;
    if constexpr (std::same_as<Error, docformat::Cause>) {
      return std::unexpected(docformat::ParseError::numbered(numbering, n, done.error()));
    } else {
      return std::unexpected(docformat::ParseError::numbered(numbering, n, done.error().cause()));
    }
  }
  return {};
}

}  // namespace lyre
