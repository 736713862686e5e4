// The library's way in for one `.track` text: parse it into a document of
// typed section lists, resolve its imports, and check what its songs refer
// to. Every result is a value: a record, or the error that ended the step.
//
//   auto document = lyre::parse_track(text);            // text must outlive it
//   if (!document) return document.error().text();
//   if (auto ok = lyre::resolve_imports(*document, "dir/of/the/file"); !ok) ...
//   lyre::LayerCheck layers = lyre::check_layers(*document);
//   std::vector<std::string> unknown = lyre::unknown_sounds(*document);
//
// `check_file` and `check_text` run every step as the command does and give
// its verdict line.
#pragma once

#include <expected>
#include <optional>
#include <string>
#include <string_view>

#include "lyre/checker/check_file.h"
#include "lyre/checker/references.h"
#include "lyre/docformat/parse_error.h"
#include "lyre/track/format/source/read_source.h"
#include "lyre/track/multisong/track_checks.h"
#include "lyre/track/multisong/track_sections.h"

namespace lyre {

// The document of `text`: each entry of the nine known sections parsed into
// its list in `sections`, the `# Meta` block, the header lines and the
// sections of other names. The first error ends the parse. The header lines
// and the other sections are slices of `text`, which must outlive the
// document.
std::expected<TrackDocument, docformat::ParseError> parse_track(std::string_view text);

// Merges into the document everything its `@import` lines name, and what
// those import in turn, depth first, each source once. The first definition
// of a name wins; an import `as <alias>` renames its colliding entries to
// "<alias>::<name>". `base` is the directory that relative imports resolve
// against ("" for the current one; none: as written). `read` fetches each
// resolved source (`read_source` reads the built-in "std:" libraries and
// files and refuses web addresses). A source that `read` fails on is
// skipped and resolution goes on; its error is the result unless resolution
// itself failed (a source that does not parse), whose error comes first.
// `libraries` keeps the built-in libraries parsed from one call to the next.
std::expected<void, docformat::ParseError> resolve_imports(TrackDocument& document,
                                                           const std::optional<std::string>& base,
                                                           bool refresh = false,
                                                           const SourceReader& read = read_source,
                                                           LibraryCache* libraries = nullptr);

}  // namespace lyre
