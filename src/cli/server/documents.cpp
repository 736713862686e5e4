#include "cli/server/documents.h"

#include <algorithm>
#include <set>

#include "cli/server/uri.h"
#include "docformat/imports/imports.h"

namespace lyre::server {

namespace {

// The import keys of the files `document` imports.
std::set<std::string> imported_keys(const OpenDocument& document) {
  std::set<std::string> keys;
  if (!document.path) return keys;
  const auto base = docformat::parent_path(*document.path);
  for (const docformat::Import& import : docformat::parse_imports(import_lines(document.text))) {
    keys.insert(docformat::cache_key(docformat::resolve_import_path(base, import.target)));
  }
  return keys;
}

}  // namespace

// The lines before the first heading, where imports live, each at its
// place, so that an import's line is its file line.
std::vector<std::string_view> import_lines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty() && text.front() != '#') {
    const std::size_t end = std::min(text.find('\n'), text.size());
    std::string_view line = text.substr(0, end);
    if (line.ends_with('\r')) line.remove_suffix(1);
    lines.push_back(line);
    text.remove_prefix(std::min(end + 1, text.size()));
  }
  return lines;
}

bool Documents::open(const std::string& uri, std::string text) {
  auto found = documents_.find(uri);
  const std::size_t replaced = found == documents_.end() ? 0 : found->second.text.size();
  if (total_bytes_ - replaced + text.size() > max_bytes_) return false;
  total_bytes_ = total_bytes_ - replaced + text.size();
  if (found == documents_.end()) {
    found = documents_.emplace(uri, OpenDocument{uri, path_of_uri(uri), {}}).first;
  }
  found->second.text = std::move(text);
  return true;
}

bool Documents::change(OpenDocument& document, const std::vector<TextChange>& changes,
                       PositionEncoding encoding) {
  // Removals only shrink a text, so its size with every insertion and every
  // whole new text bounds what the changes can make of it.
  std::size_t bound = document.text.size();
  for (const TextChange& change : changes) {
    bound = change.range ? bound + change.text.size() : change.text.size();
  }
  if (total_bytes_ - document.text.size() + bound > max_bytes_) return false;
  total_bytes_ -= document.text.size();
  for (const TextChange& change : changes) apply_change(document.text, change, encoding);
  total_bytes_ += document.text.size();
  return true;
}

void Documents::close(std::string_view uri) {
  const auto found = documents_.find(uri);
  if (found == documents_.end()) return;
  total_bytes_ -= found->second.text.size();
  documents_.erase(found);
}

OpenDocument* Documents::find(std::string_view uri) {
  const auto found = documents_.find(uri);
  return found == documents_.end() ? nullptr : &found->second;
}

const OpenDocument* Documents::find_by_path(std::string_view path) const {
  const std::string key = docformat::cache_key(std::string(path));
  for (const auto& [uri, document] : documents_) {
    if (document.path && docformat::cache_key(*document.path) == key) return &document;
  }
  return nullptr;
}

std::vector<std::string> Documents::importers_of(std::string_view uri) const {
  const auto changed = documents_.find(uri);
  if (changed == documents_.end() || !changed->second.path) return {};
  // Walks outwards from the changed file; each document joins once, so a
  // cycle of imports ends.
  std::set<std::string> reached{docformat::cache_key(*changed->second.path)};
  std::set<std::string_view> joined{changed->first};
  std::map<std::string_view, std::set<std::string>> imports_of;
  for (const auto& [other_uri, other] : documents_) imports_of[other_uri] = imported_keys(other);
  std::vector<std::string> importers;
  for (bool grew = true; grew;) {
    grew = false;
    for (const auto& [other_uri, other] : documents_) {
      if (joined.contains(other_uri) || !other.path) continue;
      const std::set<std::string>& keys = imports_of[other_uri];
      const bool imports = std::any_of(
          keys.begin(), keys.end(), [&](const std::string& key) { return reached.contains(key); });
      if (!imports) continue;
      joined.insert(other_uri);
      reached.insert(docformat::cache_key(*other.path));
      importers.push_back(other_uri);
      grew = true;
    }
  }
  return importers;
}

}  // namespace lyre::server
