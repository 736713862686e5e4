// Parsing a typed document: the split text's `# Meta` block read, every
// other section handed to the section record. Generic over the record, and
// kept inside the library: the track document is its one user.
#pragma once

#include <concepts>
#include <expected>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "docformat/split.h"
#include "lyre/docformat/document.h"

namespace lyre::docformat {

// A record of typed section lists.
template <class S>
concept Sections = std::default_initializable<S> &&
    requires(S& s, S&& other, const S& existing, SectionBlock& block, const std::string& origin,
             std::string_view alias, std::vector<ParseError>* errors) {
  { s.try_parse_into(block, errors) } -> std::same_as<std::expected<bool, ParseError>>;
  s.set_origin(origin);
  s.merge_first_wins(std::move(other));
  s.merge_first_wins(existing);
  existing.qualify_collisions(s, alias);
};

// Splits `text`, reads its `# Meta` block and hands every other section to
// `S`. Without `errors`, the first error ends the parse; with it, every
// error is recorded there and reading goes on at the next entry or heading,
// an entry that fails standing in its list with default values. With
// `strict`, a header line that is not blank and not a directive is an error.
template <Sections S>
std::expected<Document<S>, ParseError> parse_document(std::string_view text, bool strict,
                                                      std::vector<ParseError>* errors = nullptr) {
  auto split = split_document(text, errors);
  if (!split) return std::unexpected(std::move(split.error()));
  if (strict) {
    if (auto ok = reject_stray_meta(split->header); !ok) return std::unexpected(ok.error());
  }
  Document<S> doc;
  doc.header = std::move(split->header);
  for (SectionBlock& block : split->sections) {
    if (block.name == "Meta") {
      auto meta = Meta::from_block(block);
      if (meta) {
        doc.meta = std::move(*meta);
      } else if (errors) {
        errors->push_back(std::move(meta.error()));
      } else {
        return std::unexpected(std::move(meta.error()));
      }
      continue;
    }
    auto recognised = doc.sections.try_parse_into(block, errors);
    if (!recognised) return std::unexpected(std::move(recognised.error()));
    if (!*recognised) doc.unknown.push_back(std::move(block));
  }
  return doc;
}

}  // namespace lyre::docformat
