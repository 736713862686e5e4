#include "lyre/track/multisong/motif.h"

#include <utility>

#include "docformat/whitespace.h"
#include "lyre/docformat/parse_error.h"
#include "track/format/clips/note_curve.h"
#include "track/format/clips/note_fields.h"
#include "track/format/tokens.h"
#include "track/multisong/entry_body.h"
#include "track/multisong/indented_line.h"
#include "track/multisong/motif_entry.h"

namespace lyre {

namespace {

using Applied = std::expected<void, docformat::Cause>;

Applied body_error(MotifBodyError::Kind kind) {
  return std::unexpected(MotifBodyError{kind}.cause());
}

}  // namespace

std::expected<Note, ParseError> parse_motif_note(std::string_view line, std::size_t n) {
  Tokens tokens(line);
  std::expected<Note, ParseError> note;
  auto read = read_note_fields(*note, tokens, "motif note", n);
  if (!read) return std::unexpected(std::move(read.error()));
  return note;
}

std::expected<Motif, docformat::ParseError> Motif::parse(std::span<const std::string_view> lines,
                                                         std::size_t first_line) {
  Motif motif;
  auto read = read_body<Motif>(lines, first_line, [&](const BodyLine& line) -> Applied {
    if (!is_indented(line.raw)) {
      auto note = parse_motif_note(line.text, line.n);
      if (!note) return std::unexpected(note.error().cause());
      motif.notes.push_back(std::move(*note));
      return {};
    }
    // The kind of line is checked before whether a note precedes it.
    std::string_view word = Tokens(line.text).next().value_or(std::string_view());
    if (word != "pitch" && word != "volume") {
      return body_error(MotifBodyError::Kind::NonCurveIndent);
    }
    if (motif.notes.empty()) return body_error(MotifBodyError::Kind::CurveWithoutNote);
    auto curve = apply_note_curve(motif.notes.back(), line.text, line.n);
    if (!curve) return std::unexpected(curve.error().cause());
    return {};
  });
  if (!read) return std::unexpected(std::move(read.error()));
  return motif;
}

}  // namespace lyre
