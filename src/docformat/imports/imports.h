// `@import` lines: reading them from the header, resolving their targets,
// and loading imported documents depth first into the importing one.
#pragma once

#include <cstddef>
#include <expected>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "docformat/parse_document.h"
#include "docformat/text_hash.h"
#include "lyre/docformat/document.h"
#include "lyre/docformat/section.h"

namespace lyre::docformat {

struct Import {
  std::string target;
  std::optional<std::string> alias;
  bool refresh = false;
  Place place{};  // the target on its `@import` line
  bool operator==(const Import&) const = default;
};

std::vector<Import> parse_imports(const std::vector<std::string_view>& header);
bool is_url(std::string_view text);
std::string resolve_import_path(const std::optional<std::string>& base, std::string_view target);
// The parent directory of a path; none for a path without one ("/" or "").
std::optional<std::string> parent_path(std::string_view path);
// Identifies a source for the visited set: the canonical path when there is
// one, else the path with its components normalised.
std::string cache_key(const std::string& path);

// Where an import is written: the `@import` line that names it, and the
// document's own import that led to it, directly or through the imports of
// what it imports (the same line for the document's own imports).
struct ImportedBy {
  const Import& line;
  const Import& root;
  // The path of the imported file the line stands in; none: the document.
  const std::optional<std::string>& file;
};

// Turns a resolved import path and its refresh request into the source
// text, or nothing to skip the import.
using Fetch = std::function<std::optional<std::string>(const std::string& path, bool refresh,
                                                       const ImportedBy& by)>;

using VisitedSet = std::unordered_set<std::string, TextHash, std::equal_to<>>;

// An imported document as import resolution uses it: its section record,
// every entry's origin set to the source's path, and its own imports.
template <Sections S>
struct LoadedSource {
  S sections;
  std::vector<Import> imports;
};

// Sources parsed once and reused by every later import of them, for paths
// whose text never changes while the cache lives (the built-in libraries).
// A reused source is a copy of the first parse, so the importer receives
// exactly what parsing the text again would give it. A kept path names its
// source by its text alone: imports of it are told apart without resolving
// it on disk.
template <Sections S>
class SourceCache {
 public:
  // `keeps` picks the paths to cache; sources are parsed with `strict`.
  SourceCache(std::function<bool(std::string_view path)> keeps, bool strict)
      : keeps_(std::move(keeps)), strict_(strict) {}

  // The kept source of `path`, or null. Only a cache of the same strictness
  // can serve a load.
  const LoadedSource<S>* find(std::string_view path, bool strict) const {
    if (strict != strict_) return nullptr;
    auto it = sources_.find(path);
    return it == sources_.end() ? nullptr : &it->second;
  }
  bool keeps(std::string_view path) const { return keeps_(path); }
  void offer(const std::string& path, bool strict, const LoadedSource<S>& source) {
    if (strict == strict_ && keeps_(path)) sources_.try_emplace(path, source);
  }

 private:
  std::function<bool(std::string_view path)> keeps_;
  bool strict_;
  std::unordered_map<std::string, LoadedSource<S>, TextHash, std::equal_to<>> sources_;
};

// Fetches and parses one source, or takes it from `cache`. Nothing when the
// fetch operation has nothing for the path. With `errors`, the source's
// parse errors go there, each in the import, and what parses is loaded.
template <Sections S>
std::expected<std::optional<LoadedSource<S>>, ParseError> load_source(
    const std::string& path, bool refresh, bool strict, const Fetch& fetch, const ImportedBy& by,
    SourceCache<S>* cache, std::vector<ParseError>* errors) {
  if (cache) {
    if (const LoadedSource<S>* kept = cache->find(path, strict)) return *kept;
  }
  auto text = fetch(path, refresh, by);
  if (!text) return std::nullopt;
  std::vector<ParseError> own;
  auto imported = parse_document<S>(*text, strict, errors ? &own : nullptr);
  if (!imported) return std::unexpected(ParseError::in_import(path, std::move(imported.error())));
  for (ParseError& error : own) errors->push_back(ParseError::in_import(path, std::move(error)));
  // A source with errors is not kept: a later load must report them again.
  if (!own.empty()) cache = nullptr;
  LoadedSource<S> source{std::move(imported->sections), parse_imports(imported->header)};
  source.sections.set_origin(path);
  if (cache) cache->offer(path, strict, source);
  return source;
}

// Loads one import and, depth first, everything it imports in turn. The
// pending imports live on an explicit stack, so a long chain of files that
// import each other cannot exhaust the call stack. Without `errors`, the
// first source that does not parse ends the load; with it, its errors go
// there and the load goes on.
template <Sections S>
std::expected<void, ParseError> load_import(S& importer, const std::optional<std::string>& base,
                                            const Import& import, bool refresh, bool strict,
                                            const Fetch& fetch, VisitedSet& visited,
                                            SourceCache<S>* cache = nullptr,
                                            std::vector<ParseError>* errors = nullptr) {
  struct Pending {
    std::vector<Import> imports;
    std::optional<std::string> base;
    std::optional<std::string> file;  // where the imports are written; none: the document
    std::size_t next = 0;
  };
  std::vector<Pending> stack;
  stack.push_back(Pending{{import}, base, std::nullopt, 0});
  while (!stack.empty()) {
    Pending& top = stack.back();
    if (top.next == top.imports.size()) {
      stack.pop_back();
      continue;
    }
    const Import current = std::move(top.imports[top.next++]);
    const std::string path = resolve_import_path(top.base, current.target);
    // A source the cache keeps is named, not found on disk: its name is its
    // identity, and canonicalising it would only cost file system look-ups.
    const bool kept = cache != nullptr && cache->keeps(path);
    if (!visited.insert(kept ? path : cache_key(path)).second) continue;
    // A kept source that needs no renaming merges from the cache itself: only
    // the entries that win are copied, and no copy of the whole source is
    // built and then dropped.
    if (const LoadedSource<S>* source =
            kept && !current.alias ? cache->find(path, strict) : nullptr) {
      importer.merge_first_wins(source->sections);
      if (!source->imports.empty()) {
        stack.push_back(Pending{source->imports, parent_path(path), path, 0});
      }
      continue;
    }
    auto loaded = load_source(path, current.refresh || refresh, strict, fetch,
                              ImportedBy{current, import, top.file}, cache, errors);
    if (!loaded) return std::unexpected(std::move(loaded.error()));
    if (!*loaded) continue;
    LoadedSource<S>& source = **loaded;
    if (current.alias) importer.qualify_collisions(source.sections, *current.alias);
    importer.merge_first_wins(std::move(source.sections));
    if (!source.imports.empty()) {
      stack.push_back(Pending{std::move(source.imports), parent_path(path), path, 0});
    }
  }
  return {};
}

// Loads every `@import` of the document's header into its sections, depth
// first. Sources that `cache` keeps are parsed once and reused. With
// `errors`, see `load_import`.
template <Sections S>
std::expected<void, ParseError> resolve_imports_with_strictness(
    Document<S>& document, const std::optional<std::string>& base, bool refresh, bool strict,
    const Fetch& fetch, SourceCache<S>* cache = nullptr,
    std::vector<ParseError>* errors = nullptr) {
  if (strict) {
    if (auto ok = reject_stray_meta(document.header); !ok) return ok;
  }
  VisitedSet visited;
  for (const Import& import : parse_imports(document.header)) {
    auto ok = load_import(document.sections, base, import, refresh, strict, fetch, visited, cache,
                          errors);
    if (!ok) return ok;
  }
  return {};
}

}  // namespace lyre::docformat
