// The trailing options of a note line: text, glide, volume, volume ramp,
// repeat and arpeggio, in any order, a later one replacing an earlier one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <expected>
#include <string>
#include <vector>

#include "lyre/song/arpeggio.h"
#include "lyre/song/wave_point.h"
#include "lyre/track/format/parse_error.h"
#include "track/format/tokens.h"

namespace lyre {

struct NoteOptions {
  std::vector<WavePoint> pitch_points{};   // from "glide"
  std::vector<WavePoint> volume_points{};  // from "vol-ramp"
  std::string text{};
  bool text_marked = false;  // some text option began with an apostrophe
  Arpeggio arpeggio{};
  float volume = 1.0f;
  std::uint32_t repeat = 0;
  bool operator==(const NoteOptions&) const = default;
};

// Consumes every remaining token.
std::expected<NoteOptions, ParseError> parse_note_options(Tokens& tokens, std::size_t n);

}  // namespace lyre
