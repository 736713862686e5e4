// A hash for sets and maps of strings that are searched with a view,
// without making a string of it first.
#pragma once

#include <cstddef>
#include <functional>
#include <string_view>

namespace lyre::docformat {

struct TextHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view text) const {
    return std::hash<std::string_view>{}(text);
  }
};

}  // namespace lyre::docformat
