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

#include "lyre/docformat/meta/meta.h"
#include "lyre/docformat/parse_error.h"
#include "lyre/docformat/section_block.h"

namespace lyre::docformat {

// A record of typed section lists.
template <class S>
concept Sections = std::default_initializable<S> &&
    requires(S& s, S&& other, const S& existing, SectionBlock& block, const std::string& origin,
             std::string_view alias) {
  { s.try_parse_into(block) } -> std::same_as<std::expected<bool, ParseError>>;
  s.set_origin(origin);
  s.merge_first_wins(std::move(other));
  s.merge_first_wins(existing);
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

  // Splits `text`, reads its `# Meta` block and hands every other section
  // to `S`; the first error ends the parse. With `strict`, a header line that
  // is not blank and not a directive is an error.
  static std::expected<Document, ParseError> parse_with(std::string_view text, bool strict);

  // Loads every `@import` of the header into `sections`, depth first.
  // Sources that `cache` keeps are parsed once and reused.
  std::expected<void, ParseError> resolve_imports_with_strictness(
      const std::optional<std::string>& base, bool refresh, bool strict, const Fetch& fetch,
      SourceCache<S>* cache = nullptr);
};

}  // namespace lyre::docformat
