// A typed document: header lines, the meta block, the typed section lists of
// `S`, and the sections `S` does not know. Header and unknown sections are
// slices of the parsed text, which must outlive the document.
#pragma once

#include <concepts>
#include <expected>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "docformat/meta/meta.h"
#include "docformat/parse_error.h"
#include "docformat/split.h"

namespace lyre::docformat {

// A record of typed section lists.
template <class S>
concept Sections = std::default_initializable<S> &&
    requires(S& s, S&& other, const S& existing, SectionBlock& block, const std::string& origin,
             std::string_view alias) {
  { s.try_parse_into(block) } -> std::same_as<std::expected<bool, ParseError>>;
  s.set_origin(origin);
  s.merge_first_wins(std::move(other));
  existing.qualify_collisions(s, alias);
};

using UnknownSection = SectionBlock;

template <Sections S>
class SourceCache;

// Turns a resolved import path and its refresh request into the source
// text, or nothing to skip the import.
using Fetch = std::function<std::optional<std::string>(const std::string& path, bool refresh)>;

template <Sections S>
struct Document {
  std::vector<std::string_view> header;
  Meta meta;
  S sections;
  std::vector<UnknownSection> unknown;

  static std::expected<Document, ParseError> parse_with(std::string_view text, bool strict) {
    auto split = split_document(text);
    if (!split) return std::unexpected(std::move(split.error()));
    if (strict) {
      if (auto ok = reject_stray_meta(split->header); !ok) return std::unexpected(ok.error());
    }
    Document doc;
    doc.header = std::move(split->header);
    for (SectionBlock& block : split->sections) {
      if (block.name == "Meta") {
        auto meta = Meta::from_block(block);
        if (!meta) return std::unexpected(std::move(meta.error()));
        doc.meta = std::move(*meta);
        continue;
      }
      auto recognised = doc.sections.try_parse_into(block);
      if (!recognised) return std::unexpected(std::move(recognised.error()));
      if (!*recognised) doc.unknown.push_back(std::move(block));
    }
    return doc;
  }

  // Defined with the import loader (docformat/imports/imports.h). Sources
  // that `cache` keeps are parsed once and reused.
  std::expected<void, ParseError> resolve_imports_with_strictness(
      const std::optional<std::string>& base, bool refresh, bool strict, const Fetch& fetch,
      SourceCache<S>* cache = nullptr);
};

}  // namespace lyre::docformat
