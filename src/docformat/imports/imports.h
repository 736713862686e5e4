// `@import` lines: reading them from the header, resolving their targets,
// and loading imported documents depth first into the importing one.
#pragma once

#include <cstddef>
#include <expected>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <utility>
#include <vector>

#include "docformat/document.h"
#include "docformat/section_list.h"

namespace lyre::docformat {

struct Import {
  std::string target;
  std::optional<std::string> alias;
  bool refresh = false;
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

using VisitedSet = std::unordered_set<std::string, TextHash, std::equal_to<>>;

// Loads one import and, depth first, everything it imports in turn. The
// pending imports live on an explicit stack, so a long chain of files that
// import each other cannot exhaust the call stack.
template <Sections S>
std::expected<void, ParseError> load_import(S& importer, const std::optional<std::string>& base,
                                            const Import& import, bool refresh, bool strict,
                                            const Fetch& fetch, VisitedSet& visited) {
  struct Pending {
    std::vector<Import> imports;
    std::optional<std::string> base;
    std::size_t next = 0;
  };
  std::vector<Pending> stack;
  stack.push_back(Pending{{import}, base, 0});
  while (!stack.empty()) {
    Pending& top = stack.back();
    if (top.next == top.imports.size()) {
      stack.pop_back();
      continue;
    }
    const Import current = std::move(top.imports[top.next++]);
    const std::string path = resolve_import_path(top.base, current.target);
    if (!visited.insert(cache_key(path)).second) continue;
    auto text = fetch(path, current.refresh || refresh);
    if (!text) continue;
    auto imported = Document<S>::parse_with(*text, strict);
    if (!imported) return std::unexpected(ParseError::in_import(path, std::move(imported.error())));
    imported->sections.set_origin(path);
    if (current.alias) importer.qualify_collisions(imported->sections, *current.alias);
    importer.merge_first_wins(std::move(imported->sections));
    std::vector<Import> nested = parse_imports(imported->header);
    if (!nested.empty()) stack.push_back(Pending{std::move(nested), parent_path(path), 0});
  }
  return {};
}

template <Sections S>
std::expected<void, ParseError> Document<S>::resolve_imports_with_strictness(
    const std::optional<std::string>& base, bool refresh, bool strict, const Fetch& fetch) {
  if (strict) {
    if (auto ok = reject_stray_meta(header); !ok) return ok;
  }
  VisitedSet visited;
  for (const Import& import : parse_imports(header)) {
    auto ok = load_import(sections, base, import, refresh, strict, fetch, visited);
    if (!ok) return ok;
  }
  return {};
}

}  // namespace lyre::docformat
