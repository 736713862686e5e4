#include "lyre/track.h"

#include <utility>

#include "docformat/imports/imports.h"
#include "docformat/parse_document.h"
#include "lyre/docformat/parse_error.h"
#include "track/format/source/std_libraries.h"

namespace lyre {

struct LibraryCache::Sources {
  docformat::SourceCache<TrackSections> cache{is_builtin_source, /*strict=*/false};
};

LibraryCache::LibraryCache() : sources_(std::make_unique<Sources>()) {}
LibraryCache::~LibraryCache() = default;

std::expected<TrackDocument, docformat::ParseError> parse_track(std::string_view text) {
  return docformat::parse_document<TrackSections>(text, /*strict=*/false);
}

std::expected<void, docformat::ParseError> resolve_imports(TrackDocument& document,
                                                           const std::optional<std::string>& base,
                                                           bool refresh, const SourceReader& read,
                                                           LibraryCache* libraries) {
  // Fetch errors do not stop resolution; the first one is the result, placed
  // on the document's `@import` line that led to it.
  std::optional<ParseError> fetch_error;
  docformat::Place fetch_place;
  docformat::Fetch fetch = [&](const std::string& path, bool,
                               const docformat::Import& from) -> std::optional<std::string> {
    auto source = read(path);
    if (source) return std::move(*source);
    if (!fetch_error) {
      fetch_error = std::move(source.error());
      fetch_place = from.place;
    }
    return std::nullopt;
  };
  auto resolved =
      docformat::resolve_imports_with_strictness(document, base, refresh, /*strict=*/false, fetch,
                                                 libraries ? &libraries->sources_->cache : nullptr);
  if (!resolved) return resolved;
  if (fetch_error) {
    return std::unexpected(
        docformat::ParseError(docformat::ParseError::Source{fetch_error->cause()}, fetch_place));
  }
  return {};
}

}  // namespace lyre
