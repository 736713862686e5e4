// The navigation requests on one document: where a name that refers to an
// entry is defined, what it is, the outline of its sections and entries,
// and completion of names and directive words. Each request parses the text
// again; a text that fails to parse has the entries around each failing
// line left out until the rest parses, so navigation keeps working while a
// line is being typed.
#pragma once

#include <array>
#include <optional>
#include <string_view>
#include <vector>

#include "cli/server/analysis.h"
#include "lyre/track.h"

namespace lyre::server {

// Where a document's imports come from: the open texts first, then the files.
struct ImportSources {
  const SourceReader& read;
  LibraryCache& libraries;
};

// The built-in libraries an `@import` may name.
inline constexpr std::array<std::string_view, 6> kLibraryNames = {
    "std:chiptune",    "std:drums",    "std:electronic",
    "std:instruments", "std:japanese", "std:orchestral"};

// The heading of the entry that the name at `place` refers to: none for a
// name that nothing defines, and none for a built-in library entry or a
// built-in instrument, which have no file.
std::vector<Target> definition_at(const DocumentView& document, TextPlace place,
                                  const ImportSources& sources);

// "<kind> `<name>`, <where>" and, after a blank line, what the entry holds.
std::optional<HoverText> hover_at(const DocumentView& document, TextPlace place,
                                  const ImportSources& sources);

// Each `#` section with its `##` entries, in file order. Needs no parse: a
// text that does not parse still has an outline, without the details.
std::vector<OutlineSection> outline_of(const DocumentView& document);

std::vector<Completion> completion_at(const DocumentView& document, TextPlace place,
                                      const ImportSources& sources);

}  // namespace lyre::server
