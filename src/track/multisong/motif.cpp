#include "lyre/track/multisong/motif.h"

#include <utility>

#include "docformat/whitespace.h"
#include "lyre/docformat/parse_error.h"
#include "track/format/clips/note_curve.h"
#include "track/format/clips/note_fields.h"
#include "track/format/tokens.h"
#include "track/multisong/indented_line.h"
#include "track/multisong/motif_entry.h"

namespace lyre {

namespace {

std::unexpected<docformat::ParseError> body_error(std::size_t n, MotifBodyError::Kind kind) {
  return std::unexpected(docformat::ParseError::at_line(n, MotifBodyError{kind}));
}

}  // namespace

std::expected<Note, ParseError> parse_motif_note(std::string_view line, std::size_t n) {
  Tokens tokens(line);
  std::expected<Note, ParseError> note;
  auto read = read_note_fields(*note, std::string_view(), tokens, "motif note", n);
  if (!read) return std::unexpected(std::move(read.error()));
  return note;
}

std::expected<Motif, docformat::ParseError> Motif::parse(std::span<const std::string_view> lines) {
  Motif motif;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::size_t n = i + 1;
    std::string_view line = trim(lines[i]);
    if (line.empty()) continue;
    if (!is_indented(lines[i])) {
      auto note = parse_motif_note(line, n);
      if (!note) return std::unexpected(docformat::ParseError::at_line(n, note.error()));
      motif.notes.push_back(std::move(*note));
      continue;
    }
    // The kind of line is checked before whether a note precedes it.
    std::string_view word = Tokens(line).next().value_or(std::string_view());
    if (word != "pitch" && word != "volume") {
      return body_error(n, MotifBodyError::Kind::NonCurveIndent);
    }
    if (motif.notes.empty()) return body_error(n, MotifBodyError::Kind::CurveWithoutNote);
    auto applied = apply_note_curve(motif.notes.back(), line, n);
    if (!applied) return std::unexpected(docformat::ParseError::at_line(n, applied.error()));
  }
  return motif;
}

}  // namespace lyre
