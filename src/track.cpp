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

TrackRead read_track(std::string_view text) {
  TrackRead read;
  // With somewhere to put its errors the parse reads on and always succeeds.
  auto document = docformat::parse_document<TrackSections>(text, /*strict=*/false, &read.errors);
  if (document) read.document = std::move(*document);
  return read;
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
                               const docformat::ImportedBy& by) -> std::optional<std::string> {
    auto source = read(path);
    if (source) return std::move(*source);
    if (!fetch_error) {
      fetch_error = std::move(source.error());
      fetch_place = by.root.place;
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

std::vector<docformat::ParseError> resolve_all_imports(TrackDocument& document,
                                                       const std::optional<std::string>& base,
                                                       const SourceReader& read,
                                                       LibraryCache* libraries) {
  std::vector<docformat::ParseError> errors;
  // A source that cannot be read is an error on the line that imports it, in
  // the file where that line stands.
  docformat::Fetch fetch = [&](const std::string& path, bool,
                               const docformat::ImportedBy& by) -> std::optional<std::string> {
    auto source = read(path);
    if (source) return std::move(*source);
    docformat::ParseError error(docformat::ParseError::Source{source.error().cause()},
                                by.line.place);
    errors.push_back(by.file ? docformat::ParseError::in_import(*by.file, std::move(error))
                             : std::move(error));
    return std::nullopt;
  };
  // With somewhere to put its errors the resolution reads on and succeeds.
  (void)docformat::resolve_imports_with_strictness(
      document, base, /*refresh=*/false, /*strict=*/false, fetch,
      libraries ? &libraries->sources_->cache : nullptr, &errors);
  return errors;
}

}  // namespace lyre
