// An entry of "# Motifs": a phrase of notes without a sound, placed in
// layers by motif placements that choose the sound.
#pragma once

#include <cstddef>
#include <expected>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "lyre/docformat/section.h"
#include "lyre/song/note/note.h"

namespace lyre {

struct Motif {
  std::vector<Note> notes{};  // in line order; every sound is empty

  // Errors carry the body line and either a line error or a MotifBodyError.
  static std::expected<Motif, docformat::ParseError> parse(std::span<const std::string_view> lines,
                                                           std::size_t first_line = 1);
  // A motif names no other entry.
  void rename_references(const docformat::RenameMap&) {}
  bool operator==(const Motif&) const = default;
};

}  // namespace lyre
