// One audio effect of a layer: a description only, nothing here processes audio.
#pragma once

#include <cstdint>
#include <string>
#include <variant>

#include "lyre/docformat/name_place.h"

namespace lyre {

struct Effect {
  struct Lowpass {
    float cutoff;
    bool operator==(const Lowpass&) const = default;
  };
  struct Highpass {
    float cutoff;
    bool operator==(const Highpass&) const = default;
  };
  // The cutoff follows the run-time parameter `param` between the two bounds.
  struct LowpassParam {
    float max_cutoff;
    float min_cutoff;
    std::string param;
    bool operator==(const LowpassParam&) const = default;
  };
  struct HighpassParam {
    float max_cutoff;
    float min_cutoff;
    std::string param;
    bool operator==(const HighpassParam&) const = default;
  };
  struct Echo {
    float delay, feedback, mix;
    bool operator==(const Echo&) const = default;
  };
  struct Tremolo {
    float rate, depth;
    bool operator==(const Tremolo&) const = default;
  };
  struct Bitcrusher {
    std::uint8_t bits;
    bool operator==(const Bitcrusher&) const = default;
  };
  struct Compressor {
    float threshold, ratio, attack, release;
    bool operator==(const Compressor&) const = default;
  };
  struct Eq {
    float low_db, high_db, low_freq, high_freq;
    bool operator==(const Eq&) const = default;
  };
  struct DelaySync {
    float beats, feedback, mix;
    bool operator==(const DelaySync&) const = default;
  };
  struct Reverb {
    float room_size, decay, mix, predelay;
    bool operator==(const Reverb&) const = default;
  };
  // Names a `# Reverb` entry; not resolved here.
  struct NamedReverb {
    std::string preset;
    docformat::NamePlace preset_at{};
    bool operator==(const NamedReverb&) const = default;
  };
  using Kind = std::variant<Lowpass, Highpass, LowpassParam, HighpassParam, Echo, Tremolo,
                            Bitcrusher, Compressor, Eq, DelaySync, Reverb, NamedReverb>;

  Kind kind;
  bool operator==(const Effect&) const = default;
};

}  // namespace lyre
