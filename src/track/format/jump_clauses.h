// Reading a jump rule of a song: the optional clauses that follow its target
// (skip, tempo, via, if), in that order.
#pragma once

#include <cstddef>
#include <expected>
#include <string>
#include <string_view>

#include "lyre/docformat/name_place.h"
#include "lyre/track/format/jump.h"
#include "lyre/track/format/parse_error.h"
#include "track/format/tokens.h"

namespace lyre {

// Reads the clauses left in `words` after the target. `label` ("jump" or
// "jump-at") opens the messages that name the directive; `at` places the
// target and the transition's names.
std::expected<Jump, ParseError> parse_jump_clauses(Tokens& words, std::size_t line,
                                                   std::string_view label, std::string_view target,
                                                   const docformat::LineAt& at = {});

}  // namespace lyre
