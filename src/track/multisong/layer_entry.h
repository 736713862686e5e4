// Reading a layer body: `Layer::parse` is defined beside these.
#pragma once

#include <cstddef>
#include <expected>
#include <string_view>

#include "lyre/song/note/layer.h"
#include "lyre/track/format/parse_error.h"
#include "track/format/clips/track_line.h"

namespace lyre {

// Reads a trimmed note or placement line and appends it to the end of the
// matching list; the kind says which. A refused line leaves the layer as it
// was.
std::expected<ClipKind, ParseError> add_clip_line(Layer& layer, std::string_view trimmed,
                                                  std::size_t n, const docformat::LineAt& at = {});

}  // namespace lyre
