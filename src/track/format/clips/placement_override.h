// Override lines written under a placement: "trim <from> <count>" keeps a
// run of the placed notes, "note <index> <field> <value>..." changes one.
#pragma once

#include <cstddef>
#include <expected>
#include <optional>
#include <string_view>
#include <vector>

#include "lyre/song/note/placement.h"
#include "lyre/track/format/parse_error.h"

namespace lyre {

// Applies one trimmed override line to a placement's trim and overrides; a
// failing line changes neither.
std::expected<void, ParseError> apply_placement_override(std::optional<Trim>& trim,
                                                         std::vector<NoteOverride>& overrides,
                                                         std::string_view line, std::size_t n);

}  // namespace lyre
