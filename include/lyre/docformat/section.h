// What an entry type gives its section list: a parse of its body lines and
// the rewriting of the names it refers to, through the rename map that an
// import `as <alias>` builds. The records include this alone.
#pragma once

#include <concepts>
#include <cstddef>
#include <expected>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "lyre/docformat/rename_map.h"

namespace lyre::docformat {

class ParseError;

// Replaces `name` by its mapped value when it is a key of the map.
inline void rename(std::string& name, const RenameMap& map) {
  if (map.empty()) return;
  if (const std::string* renamed = map.find(name)) name = *renamed;
}
inline void rename(std::optional<std::string>& name, const RenameMap& map) {
  if (name) rename(*name, map);
}

// An entry type: parses the body lines of one block, the first of them file
// line `first_line` (line numbers in its errors count body lines from 1;
// the names it refers to are placed on file lines), and rewrites the names
// it refers to.
template <class T>
concept Section = requires(T& value, std::span<const std::string_view> lines,
                           std::size_t first_line, const RenameMap& map) {
  { T::parse(lines, first_line) } -> std::same_as<std::expected<T, ParseError>>;
  value.rename_references(map);
};

}  // namespace lyre::docformat
