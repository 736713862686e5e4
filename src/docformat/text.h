// Message building without <format>: concatenation of text pieces.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace lyre {

template <class... Pieces>
std::string cat(const Pieces&... pieces) {
  std::string out;
  out.reserve((std::string_view(pieces).size() + ... + 0));
  (out.append(std::string_view(pieces)), ...);
  return out;
}

}  // namespace lyre
