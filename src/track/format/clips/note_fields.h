// The part of a note line shared by layers and motifs: start, pitch and
// duration, then the note options.
#pragma once

#include <cstddef>
#include <expected>
#include <string_view>

#include "lyre/song/note/note.h"
#include "lyre/track/format/parse_error.h"
#include "track/format/tokens.h"

namespace lyre {

// Reads the three fixed fields and the options from `tokens` into `note`, a
// default note; its sound is the caller's to set. The note is filled in
// place, as a layer's notes are read straight into its list; after a failure
// it is to be dropped. `subject` names the line in the messages for a missing field
// ("note" gives "note needs start").
std::expected<void, ParseError> read_note_fields(Note& note, Tokens& tokens,
                                                 std::string_view subject, std::size_t n);

}  // namespace lyre
