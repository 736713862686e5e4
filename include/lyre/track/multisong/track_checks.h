// Whole-document checks for text that no parser reads: directives in the
// document header other than `@import`, and lines before a section's first
// entry.
#pragma once

#include <expected>

#include "lyre/track/format/parse_error.h"
#include "lyre/track/multisong/track_sections.h"

namespace lyre {

std::expected<void, ParseError> check_meta_directives(const TrackDocument& document);
std::expected<void, ParseError> check_section_preambles(const TrackDocument& document);

}  // namespace lyre
