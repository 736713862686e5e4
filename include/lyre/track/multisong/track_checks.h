// Whole-document checks for text that no parser reads: directives in the
// document header other than `@import`, and lines before a section's first
// entry.
#pragma once

#include <expected>
#include <vector>

#include "lyre/docformat/parse_error.h"
#include "lyre/track/multisong/track_sections.h"

namespace lyre {

// Each error stands on the line it names (the directive, or the stray line).
std::expected<void, docformat::ParseError> check_meta_directives(const TrackDocument& document);
std::expected<void, docformat::ParseError> check_section_preambles(const TrackDocument& document);

// Every error of both checks, the header's first, each in line order.
std::vector<docformat::ParseError> header_errors(const TrackDocument& document);

}  // namespace lyre
