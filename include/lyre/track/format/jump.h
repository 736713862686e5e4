// Jump rules of a song: where playback goes, and what the clauses after the
// target (skip, tempo, via, if) set.
#pragma once

#include <optional>
#include <string>
#include <variant>

#include "lyre/docformat/name_place.h"

namespace lyre {

// `tempo <value>`: the tempo after the jump.
struct AbsoluteTempo {
  float tempo = 0.0f;
  bool operator==(const AbsoluteTempo&) const = default;
};

// `tempo ×<factor>` or `tempo *<factor>`: the current tempo scaled.
struct CarryTempo {
  float factor = 1.0f;
  bool operator==(const CarryTempo&) const = default;
};

// No tempo clause, an absolute tempo, or a carry factor.
using JumpTempo = std::variant<std::monostate, AbsoluteTempo, CarryTempo>;

// `via <motif> sound <sound>`: what bridges the jump.
struct JumpTransition {
  std::string motif{};
  std::string sound{};
  docformat::NamePlace motif_at{}, sound_at{};
  bool operator==(const JumpTransition&) const = default;
};

struct ConditionSource {
  enum class Kind { plays, random, param };
  Kind kind = Kind::plays;
  std::string param{};  // the parameter name, for Kind::param only
  bool operator==(const ConditionSource&) const = default;
};

enum class Comparison { less, less_equal, greater, greater_equal, equal, not_equal };

// `if <source> <comparison> <value>`.
struct JumpCondition {
  ConditionSource source{};
  Comparison comparison = Comparison::equal;
  float value = 0.0f;
  bool operator==(const JumpCondition&) const = default;
};

struct Jump {
  std::string target{};
  float skip = 0.0f;
  JumpTempo tempo{};
  std::optional<JumpTransition> transition{};
  std::optional<JumpCondition> condition{};
  docformat::NamePlace target_at{};
  bool operator==(const Jump&) const = default;
};

// A jump taken at a beat or at a named marker.
struct JumpAt : Jump {
  std::variant<float, std::string> at{};
  docformat::NamePlace marker_at{};  // where a marker name was written
  bool operator==(const JumpAt&) const = default;
};

}  // namespace lyre
