// Reading a layer body: `Layer::parse` is defined beside these.
#pragma once

#include <cstddef>
#include <expected>
#include <string_view>

#include "lyre/song/note/layer.h"
#include "lyre/track/format/parse_error.h"

namespace lyre {

// The list of a layer that a note or placement line added to.
enum class ClipKind { Note, Motif, Subtrack };

// Reads a trimmed note or placement line and appends it to the end of the
// matching list.
std::expected<ClipKind, ParseError> add_clip_line(Layer& layer, std::string_view trimmed,
                                                  std::size_t n);

}  // namespace lyre
