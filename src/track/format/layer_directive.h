// The @-directives of a layer body: mix settings and effects.
#pragma once

#include <cstddef>
#include <expected>
#include <string_view>

#include "lyre/docformat/name_place.h"
#include "lyre/song/note/layer.h"
#include "lyre/track/format/parse_error.h"

namespace lyre {

// Applies the directive `name` with its trimmed `argument`. A later
// directive replaces an earlier one of the same name; effects accumulate.
// `at` places the names it refers to.
std::expected<void, ParseError> apply_layer_directive(Layer& layer, std::string_view name,
                                                      std::string_view argument, std::size_t n,
                                                      const docformat::LineAt& at = {});

}  // namespace lyre
