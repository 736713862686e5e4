// `Document<S>::parse_with`, kept out of the installed header because it
// needs the splitter. The track document is compiled once in the library;
// include this to parse a document of another section record.
#pragma once

#include <expected>
#include <string_view>
#include <utility>

#include "docformat/split.h"
#include "lyre/docformat/document.h"

namespace lyre::docformat {

template <Sections S>
std::expected<Document<S>, ParseError> Document<S>::parse_with(std::string_view text, bool strict) {
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

}  // namespace lyre::docformat
