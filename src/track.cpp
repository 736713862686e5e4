#include "lyre/track.h"

#include <utility>

#include "docformat/imports/imports.h"

namespace lyre {

std::expected<TrackDocument, docformat::ParseError> parse_track(std::string_view text) {
  return TrackDocument::parse_with(text, /*strict=*/false);
}

std::expected<void, docformat::ParseError> resolve_imports(TrackDocument& document,
                                                           const std::optional<std::string>& base,
                                                           bool refresh, const SourceReader& read,
                                                           LibraryCache* libraries) {
  // Fetch errors do not stop resolution; the first one is the result.
  std::optional<ParseError> fetch_error;
  docformat::Fetch fetch = [&](const std::string& path, bool) -> std::optional<std::string> {
    auto source = read(path);
    if (source) return std::move(*source);
    if (!fetch_error) fetch_error = std::move(source.error());
    return std::nullopt;
  };
  auto resolved = document.resolve_imports_with_strictness(
      base, refresh, /*strict=*/false, fetch, libraries ? &libraries->sources() : nullptr);
  if (!resolved) return resolved;
  if (fetch_error) return std::unexpected(docformat::ParseError::source(std::move(*fetch_error)));
  return {};
}

}  // namespace lyre
