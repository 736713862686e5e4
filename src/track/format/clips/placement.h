// Placement lines: a motif or another layer placed at a start time.
#pragma once

#include <cstddef>
#include <expected>

#include "lyre/docformat/name_place.h"
#include "lyre/song/note/placement.h"
#include "lyre/track/format/parse_error.h"
#include "track/format/tokens.h"

namespace lyre {

// "motif <name> <start> <sound> [tuning <name>] [transpose <value>]...",
// with `tokens` just after the word motif.
// `at` places the names it refers to.
std::expected<MotifInstance, ParseError> parse_motif_placement(Tokens& tokens, std::size_t n,
                                                               const docformat::LineAt& at = {});

// "subtrack <layer> <start> [<sound>] [tuning <name>] [transpose <value>]...",
// with `tokens` just after the word subtrack. The sound can only stand
// directly after the start.
std::expected<SubtrackInstance, ParseError> parse_subtrack_placement(
    Tokens& tokens, std::size_t n, const docformat::LineAt& at = {});

}  // namespace lyre
