// The open documents: one text per URI, used in place of its file, and which
// of them import which.
#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/server/text_change.h"

namespace lyre::server {

// The lines of `text` before its first heading, where its imports stand.
std::vector<std::string_view> import_lines(std::string_view text);

// Bounds what the open documents may hold together.
inline constexpr std::size_t kMaxOpenBytes = std::size_t{1} << 30;

struct OpenDocument {
  std::string uri;
  std::optional<std::string> path;  // for a `file://` URI
  std::string text;
};

class Documents {
 public:
  explicit Documents(std::size_t max_bytes = kMaxOpenBytes) : max_bytes_(max_bytes) {}

  // Opens or replaces the document of `uri`; false, and nothing opened, when
  // the texts would pass `max_bytes` together.
  bool open(const std::string& uri, std::string text);
  // Applies `changes` in order; false, and nothing changed, when they could
  // make the texts pass `max_bytes`.
  bool change(OpenDocument& document, const std::vector<TextChange>& changes,
              PositionEncoding encoding);
  void close(std::string_view uri);

  OpenDocument* find(std::string_view uri);
  // The open document whose file is `path`, compared as the import loader
  // compares sources.
  const OpenDocument* find_by_path(std::string_view path) const;
  // The URIs of the other open documents that import `uri`'s file, directly
  // or through other open documents, each once.
  std::vector<std::string> importers_of(std::string_view uri) const;

 private:
  std::map<std::string, OpenDocument, std::less<>> documents_;
  std::size_t max_bytes_;
  std::size_t total_bytes_ = 0;
};

}  // namespace lyre::server
