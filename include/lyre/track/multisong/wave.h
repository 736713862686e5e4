// An entry of "# Waves": a shape over one cycle drawn as vertices.
#pragma once

#include <cstddef>
#include <expected>
#include <span>
#include <string_view>
#include <vector>

#include "lyre/docformat/section.h"
#include "lyre/song/wave_point.h"

namespace lyre {

struct Wave {
  std::vector<WavePoint> points{};  // in line order, x non-decreasing within 0..1

  // One vertex per non-blank body line.
  static std::expected<Wave, docformat::ParseError> parse(std::span<const std::string_view> lines,
                                                          std::size_t first_line = 1);
  // A wave names no other entry.
  void rename_references(const docformat::RenameMap&) {}
  bool operator==(const Wave&) const = default;
};

}  // namespace lyre
