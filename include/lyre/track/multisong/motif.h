// An entry of "# Motifs": a phrase of notes without a sound, placed in
// layers by motif placements that choose the sound.
#pragma once

#include <cstddef>
#include <expected>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "lyre/docformat/parse_error.h"
#include "lyre/docformat/section_list.h"
#include "lyre/song/note/note.h"
#include "lyre/track/format/parse_error.h"

namespace lyre {

// The errors only a motif body raises.
struct MotifBodyError {
  enum class Kind {
    NonCurveIndent,    // an indented line that is not a pitch or volume curve
    CurveWithoutNote,  // a curve line before the motif's first note
  };
  Kind kind{};

  std::string text() const {
    return kind == Kind::NonCurveIndent ? "indented motif line must be a 'pitch'/'volume' curve"
                                        : "indented curve without a preceding motif note";
  }
  std::string debug() const {
    return kind == Kind::NonCurveIndent ? "NonCurveIndent" : "CurveWithoutNote";
  }
  bool operator==(const MotifBodyError&) const = default;
};

struct Motif {
  std::vector<Note> notes{};  // in line order; every sound is empty

  // Errors carry the body line and either a line error or a MotifBodyError.
  static std::expected<Motif, docformat::ParseError> parse(std::span<const std::string_view> lines);
  // A motif names no other entry.
  void rename_references(const docformat::RenameMap&) {}
  bool operator==(const Motif&) const = default;
};

// "<start> <pitch> <duration> [options]": a note line without its sound.
std::expected<Note, ParseError> parse_motif_note(std::string_view line, std::size_t n);

}  // namespace lyre
