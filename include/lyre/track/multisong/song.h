// A song entry: tempo, signature, the layers it plays, markers, parameters
// and jump rules.
#pragma once

#include <cstdint>
#include <expected>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "lyre/docformat/name_place.h"
#include "lyre/docformat/section.h"
#include "lyre/track/format/jump.h"
#include "lyre/track/format/song_settings.h"

namespace lyre {

struct Marker {
  std::string name{};  // never a number, unique within the song
  float beat = 0.0f;
  bool operator==(const Marker&) const = default;
};

struct Song {
  float tempo = 120.0f;
  float tempo_ramp = 1.0f;  // end tempo divided by `tempo`
  std::optional<TempoParam> tempo_param{};
  Signature signature{};
  std::optional<float> length{};
  std::optional<std::uint32_t> seed{};
  std::map<std::string, float, std::less<>> params{};  // name to default value
  std::vector<std::string> layers{};
  docformat::NamePlaces layers_at{};  // where each of `layers` was written
  std::vector<Jump> jumps{};
  std::vector<JumpAt> jump_ats{};
  std::vector<Marker> markers{};  // sorted by beat

  // Errors name the line within the body only; `first_line`, the file line
  // of the first body line, places the names the song refers to.
  static std::expected<Song, docformat::ParseError> parse(std::span<const std::string_view> lines,
                                                          std::size_t first_line = 1);

  // Rewrites layer names, then jump targets and transition names.
  void rename_references(const docformat::RenameMap& map);

  bool operator==(const Song&) const = default;
};

}  // namespace lyre
