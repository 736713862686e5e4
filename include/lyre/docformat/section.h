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
#include <unordered_map>

namespace lyre::docformat {

class ParseError;

struct TextHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view text) const {
    return std::hash<std::string_view>{}(text);
  }
};

// Old entry name to new entry name.
using RenameMap = std::unordered_map<std::string, std::string, TextHash, std::equal_to<>>;

// Replaces `name` by its mapped value when it is a key of the map.
inline void rename(std::string& name, const RenameMap& map) {
  if (map.empty()) return;
  if (auto it = map.find(std::string_view(name)); it != map.end()) name = it->second;
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
