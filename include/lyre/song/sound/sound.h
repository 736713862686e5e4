// One instrument of a `# Sounds` section: harmonics plus directive settings.
// Every field has a default, so an empty body is a valid sound.
#pragma once

#include <cstdint>
#include <expected>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "lyre/docformat/section.h"
#include "lyre/song/arpeggio.h"
#include "lyre/song/boxed.h"
#include "lyre/song/sound/envelope_stage.h"
#include "lyre/song/sound/harmonic.h"
#include "lyre/song/sound/lfo.h"
#include "lyre/song/sound/sample_zone.h"
#include "lyre/song/sound/voice_override.h"

namespace lyre {

// What most sounds leave at its default: modulation, an arpeggio, a voice
// and sample zones.
struct SoundDetails {
  Lfo vibrato;
  Lfo tremolo;
  Arpeggio arpeggio;
  std::string voice;
  std::vector<VoiceOverride> voice_overrides;
  std::uint64_t ensemble = 0;
  std::vector<SampleZone> sample_zones;
  bool operator==(const SoundDetails&) const = default;
};

// The details are boxed: a sound of harmonics and envelopes, the common
// case, stays well under half the size it would have.
struct Sound {
  std::vector<Harmonic> harmonics;
  EnvelopeStage attack;
  EnvelopeStage decay;
  EnvelopeStage release;
  float sustain = 1.0f;
  float volume = 1.0f;
  float noise = 0.0f;
  float distortion = 0.0f;
  float detune = 0.0f;
  float vol_jitter = 0.0f;
  float duty_sweep = 0.0f;
  float slide_amount = 0.0f;
  float slide_time = 0.0f;
  float filter_cutoff = 0.0f;
  float filter_env = 0.0f;
  EnvelopeStage filter_envelope;
  std::uint32_t steps = 0;
  Boxed<SoundDetails> details;

  // Errors are `Line` errors numbered by body line (from 1, blanks counted).
  // `first_line`, the file line of the first body line, places the harmonic
  // sources.
  static std::expected<Sound, docformat::ParseError> parse(std::span<const std::string_view> lines,
                                                           std::size_t first_line = 1);
  // Harmonic sources are the only names a sound refers to.
  void rename_references(const docformat::RenameMap& map);

  bool operator==(const Sound&) const = default;
};

}  // namespace lyre
