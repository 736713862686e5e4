#include "lyre/docformat/meta/meta.h"

#include "docformat/text.h"
#include "docformat/whitespace.h"

namespace lyre::docformat {

std::string MetaError::text() const {
  switch (kind_) {
    case Kind::EmptyValue:
      return cat("meta '@", held_, "' needs a value");
    case Kind::UnknownDirective:
      return cat("unknown meta directive '@", held_, "'");
    case Kind::NotADirective:
      return cat("expected a '@directive value' line, got '", held_, "'");
    case Kind::UnknownSubsection:
      return cat("unknown meta subsection '## ", held_, "'");
  }
  return {};
}

namespace {

std::unexpected<ParseError> fail(MetaError::Kind kind, std::string_view held) {
  return std::unexpected(ParseError::source(MetaError(kind, std::string(held))));
}

}  // namespace

std::expected<Meta, ParseError> Meta::from_block(const SectionBlock& block) {
  Meta meta;
  for (std::string_view raw : block.lines) {
    std::string_view line = trim(raw);
    if (line.empty()) continue;
    if (line[0] != '@') return fail(MetaError::Kind::NotADirective, line);
    FirstSplit split = split_at_whitespace(line.substr(1));
    std::string_view name = split.head;
    std::string_view value = trim_start(split.tail);
    if (value.empty()) return fail(MetaError::Kind::EmptyValue, name);
    if (name == "title") {
      meta.title = std::string(value);
    } else if (name == "author") {
      meta.author = std::string(value);
    } else {
      return fail(MetaError::Kind::UnknownDirective, name);
    }
  }
  for (std::size_t i = 0; i < block.instances.size(); ++i) {
    const Instance& sub = block.instance(i);
    if (sub.name == "Tags") {
      meta.tags.clear();
      for (std::string_view line : sub.lines) {
        std::string_view tag = trim(line);
        if (!tag.empty()) meta.tags.emplace_back(tag);
      }
    } else if (sub.name == "Description") {
      std::string description;
      for (std::size_t k = 0; k < sub.lines.size(); ++k) {
        if (k > 0) description += '\n';
        description += sub.lines[k];
      }
      meta.description = std::move(description);
    } else {
      return fail(MetaError::Kind::UnknownSubsection, sub.name);
    }
  }
  return meta;
}

}  // namespace lyre::docformat
