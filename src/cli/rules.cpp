#include "cli/rules.h"

#include <algorithm>
#include <array>

namespace lyre::cli {

namespace {

constexpr std::array kRules{
    Rule{"read", Severity::Error, "The file cannot be read as UTF-8 text."},
    Rule{"parse", Severity::Error, "An entry or heading does not parse."},
    Rule{"header", Severity::Error,
         "A stray line in the document header or before the first entry of a section."},
    Rule{"import", Severity::Error, "An @import cannot be resolved, read or parsed."},
    Rule{"unknown-layer", Severity::Error, "A song names a layer that no entry defines."},
    Rule{"unknown-sound", Severity::Error,
         "A sound that no entry and no built-in instrument defines."},
    Rule{"unknown-subtrack", Severity::Warning, "A subtrack placement names no layer."},
    Rule{"unknown-motif", Severity::Warning,
         "A motif placement or jump transition names no motif."},
    Rule{"unknown-tuning", Severity::Warning, "A layer or placement names no tuning."},
    Rule{"unknown-wave", Severity::Warning,
         "A harmonic source is neither a built-in waveform nor a wave entry."},
    Rule{"unknown-reverb", Severity::Warning, "A reverb effect names no reverb preset."},
    Rule{"unknown-marker", Severity::Warning, "A @jump-at names no marker of its song."},
    Rule{"duplicate-entry", Severity::Warning,
         "A later entry of a section repeats the name of an earlier one, which is used instead."},
};

}  // namespace

std::span<const Rule> rules() { return kRules; }

const Rule* find_rule(std::string_view id) {
  const auto* found =
      std::find_if(kRules.begin(), kRules.end(), [&](const Rule& rule) { return rule.id == id; });
  return found == kRules.end() ? nullptr : found;
}

}  // namespace lyre::cli
