// The per-file pipeline: read, parse, whole-track checks, imports, layer and
// sound references. Its verdict is one report line.
#pragma once

#include <expected>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "lyre/checker/collect.h"
#include "lyre/track/format/parse_error.h"
#include "lyre/track/multisong/track_sections.h"

namespace lyre {

struct Verdict {
  bool ok = false;
  std::string line;  // the report line, without its line feed
};

// Reads an import source by its resolved name.
using SourceReader = std::function<std::expected<std::string, ParseError>(std::string_view name)>;

// The built-in libraries, parsed by the first file that imports them and
// reused by every later one; one cache serves a whole run. The cache itself
// is complete only inside the library, so the installed headers need no
// import loader.
class LibraryCache {
 public:
  LibraryCache();
  ~LibraryCache();
  LibraryCache(const LibraryCache&) = delete;
  LibraryCache& operator=(const LibraryCache&) = delete;

  // For the import loader.
  docformat::SourceCache<TrackSections>& sources() { return *sources_; }

 private:
  std::unique_ptr<docformat::SourceCache<TrackSections>> sources_;
};

// The whole pipeline on one file; the verdict line is the one the command
// prints for it.
Verdict check_file(const CheckedFile& file, bool refresh, LibraryCache& libraries);

// Every stage after reading, on a text already read. `shown` is the path as
// printed; `base` the directory that relative imports resolve against.
Verdict check_text(std::string_view shown, std::string_view text,
                   const std::optional<std::string>& base, bool refresh, const SourceReader& read,
                   LibraryCache* libraries = nullptr);

}  // namespace lyre
