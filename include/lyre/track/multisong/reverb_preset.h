// A named room setting with four fixed keys.
#pragma once

#include <cstddef>
#include <expected>
#include <span>
#include <string_view>

#include "lyre/docformat/section.h"

namespace lyre {

struct ReverbPreset {
  float room_size = 0.5f;  // 0..1
  float decay = 0.7f;      // 0..1
  float mix = 0.4f;        // 0..1
  float predelay = 0.01f;  // at least 0

  // One `<key> <value>` pair per line; a later value replaces an earlier
  // one. Errors name the line within the body only.
  static std::expected<ReverbPreset, docformat::ParseError> parse(
      std::span<const std::string_view> lines, std::size_t first_line = 1);

  // A reverb preset refers to no other entry.
  void rename_references(const docformat::RenameMap&) {}

  bool operator==(const ReverbPreset&) const = default;
};

}  // namespace lyre
