// The library's way in for one `.track` text: parse it into a document of
// typed section lists, resolve its imports, check what its songs refer to,
// and give the verdict. It sits on top of the library and knows nothing of
// the command. Every result is a value: a record, or the error that ended
// the step.
//
//   auto document = lyre::parse_track(text);            // text must outlive it
//   if (!document) return document.error().text();
//   if (auto ok = lyre::resolve_imports(*document, "dir/of/the/file"); !ok) ...
//   lyre::LayerCheck layers = lyre::check_layers(*document);
//   std::vector<std::string> unknown = lyre::unknown_sounds(*document);
//
// `check_text` runs every step in that order and gives the verdict line.
#pragma once

#include <cstddef>
#include <expected>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lyre/docformat/parse_error.h"
#include "lyre/track/format/parse_error.h"
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

// A text read on past its errors: the document of every entry that parses,
// each entry that fails standing in its list with default values, and the
// errors in the order found.
struct TrackRead {
  TrackDocument document;
  std::vector<docformat::ParseError> errors;
};
TrackRead read_track(std::string_view text);

// Reads an import source by its resolved name.
using SourceReader = std::function<std::expected<std::string, ParseError>(std::string_view name)>;

class LibraryCache;

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

// `resolve_imports` reading on past every problem: every import is followed,
// and the result is every error in the order found. An import that cannot be
// read is an error placed on its `@import` line; one written in an imported
// file, and each parse error of an imported source, come in that file's
// `InImport`.
std::vector<docformat::ParseError> resolve_all_imports(TrackDocument& document,
                                                       const std::optional<std::string>& base,
                                                       const SourceReader& read = read_source,
                                                       LibraryCache* libraries = nullptr);

// The built-in libraries, parsed by the first document that imports them
// and reused by every later one; one cache serves a whole run. What it holds
// is the library's own.
class LibraryCache {
 public:
  LibraryCache();
  ~LibraryCache();
  LibraryCache(const LibraryCache&) = delete;
  LibraryCache& operator=(const LibraryCache&) = delete;

 private:
  friend std::expected<void, docformat::ParseError> resolve_imports(
      TrackDocument& document, const std::optional<std::string>& base, bool refresh,
      const SourceReader& read, LibraryCache* libraries);
  friend std::vector<docformat::ParseError> resolve_all_imports(
      TrackDocument& document, const std::optional<std::string>& base, const SourceReader& read,
      LibraryCache* libraries);
  struct Sources;
  std::unique_ptr<Sources> sources_;
};

struct LayerCheck {
  std::size_t note_count = 0;
  std::vector<std::string> unresolved;  // "song:layer", in the order found
};

// Whether every layer the songs name exists, and how many notes those
// layers hold.
LayerCheck check_layers(const TrackDocument& document);

// "layer:sound" records of every sound that the notes and placements of the
// songs' layers (and of the layers they place) name and nothing defines,
// sorted, each once.
std::vector<std::string> unknown_sounds(const TrackDocument& document);

struct Verdict {
  bool ok = false;
  std::string line;  // the report line, without its line feed
};

// Every step after reading, on a text already read: parse, the whole-track
// checks, imports, layer and sound references. `shown` is the path as
// printed; `base` the directory that relative imports resolve against.
Verdict check_text(std::string_view shown, std::string_view text,
                   const std::optional<std::string>& base, bool refresh, const SourceReader& read,
                   LibraryCache* libraries = nullptr);

}  // namespace lyre
