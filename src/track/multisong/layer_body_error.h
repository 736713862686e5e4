// The errors only a layer body raises: indented lines with nothing above
// them to apply to.
#pragma once

#include <string>

#include "lyre/docformat/parse_error.h"

namespace lyre {

struct LayerBodyError {
  enum class Kind {
    CurveWithoutNote,          // an indented pitch or volume line not under a note
    OverrideWithoutPlacement,  // any other indented line not under a placement
  };
  Kind kind{};

  std::string text() const {
    return kind == Kind::CurveWithoutNote
               ? "indented pitch/volume curve without a preceding note"
               : "indented override without a preceding motif or subtrack instance";
  }
  docformat::Cause cause() const { return {text()}; }
  bool operator==(const LayerBodyError&) const = default;
};

}  // namespace lyre
