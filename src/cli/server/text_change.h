// One entry of a `didChange` notification's contentChanges: the whole new
// text, or a range of the old one replaced.
#pragma once

#include <optional>
#include <string>

#include "cli/server/position.h"

namespace lyre::server {

struct Range {
  Position start;
  Position end;
  bool operator==(const Range&) const = default;
};

struct TextChange {
  std::optional<Range> range;  // none: `text` replaces the whole document
  std::string text;
};

// Applies `change` to `document`. Positions clamp as offset_of does, and a
// range whose end lies before its start becomes an insertion at its start.
void apply_change(std::string& document, const TextChange& change, PositionEncoding encoding);

}  // namespace lyre::server
