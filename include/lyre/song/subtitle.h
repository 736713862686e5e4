// Timed text lines shown during playback.
#pragma once

#include <cstddef>
#include <expected>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "lyre/docformat/section.h"

namespace lyre {

struct Subtitle {
  std::string text{};  // may be empty
  float beat = 0.0f;
  bool operator==(const Subtitle&) const = default;
};

struct SubtitleTrack {
  std::vector<Subtitle> subtitles{};  // sorted by beat

  // Errors name the line within the body only.
  static std::expected<SubtitleTrack, docformat::ParseError> parse(
      std::span<const std::string_view> lines, std::size_t first_line = 1);

  // A subtitle track refers to no other entry.
  void rename_references(const docformat::RenameMap&) {}

  bool operator==(const SubtitleTrack&) const = default;
};

}  // namespace lyre
