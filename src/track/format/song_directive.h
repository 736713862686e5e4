// One directive line of a song body other than `@layer`, read into a value
// that the song parser applies.
#pragma once

#include <cstddef>
#include <cstdint>
#include <expected>
#include <string>
#include <string_view>
#include <variant>

#include "lyre/docformat/name_place.h"
#include "lyre/track/format/jump.h"
#include "lyre/track/format/parse_error.h"
#include "lyre/track/format/song_settings.h"

namespace lyre {

struct SongDirective {
  // `@tempo <value> [end]`; `ramp` is the end tempo divided by `tempo`.
  struct Tempo {
    float tempo = 0.0f;
    float ramp = 1.0f;
    bool operator==(const Tempo&) const = default;
  };
  struct Length {
    float beats = 0.0f;
    bool operator==(const Length&) const = default;
  };
  struct Marker {
    std::string name{};
    float beat = 0.0f;
    bool operator==(const Marker&) const = default;
  };
  struct Param {
    std::string name{};
    float default_value = 0.0f;
    bool operator==(const Param&) const = default;
  };
  // Imports belong in the document header; the song parser rejects this.
  struct Import {
    bool operator==(const Import&) const = default;
  };
  struct Seed {
    std::uint32_t seed = 0;
    bool operator==(const Seed&) const = default;
  };
  using Kind =
      std::variant<Tempo, TempoParam, Length, Signature, Jump, JumpAt, Marker, Param, Import, Seed>;

  Kind kind;
  bool operator==(const SongDirective&) const = default;
};

// `word` is the directive word without its '@'; `rest` is the trimmed text
// after it, on the line `at` places names on.
std::expected<SongDirective, ParseError> parse_song_directive(std::string_view word,
                                                              std::string_view rest,
                                                              std::size_t line,
                                                              const docformat::LineAt& at = {});

}  // namespace lyre
