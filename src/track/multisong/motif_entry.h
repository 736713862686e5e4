// Reading a motif body: `Motif::parse` is defined beside these.
#pragma once

#include <cstddef>
#include <expected>
#include <string>
#include <string_view>

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
  docformat::Cause cause() const { return {text()}; }
  bool operator==(const MotifBodyError&) const = default;
};

// "<start> <pitch> <duration> [options]": a note line without its sound.
std::expected<Note, ParseError> parse_motif_note(std::string_view line, std::size_t n);

}  // namespace lyre
