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

// `held` is the token the message quotes, a slice of `raw`, file line `line`.
std::unexpected<ParseError> fail(MetaError::Kind kind, std::string_view held, std::size_t line,
                                 std::string_view raw) {
  return std::unexpected(ParseError(ParseError::Source{MetaError(kind, std::string(held)).cause()},
                                    place_in_line(line, raw, held)));
}

}  // namespace

std::expected<Meta, ParseError> Meta::from_block(const SectionBlock& block) {
  Meta meta;
  for (std::size_t i = 0; i < block.lines.size(); ++i) {
    const std::string_view raw = block.lines[i];
    const std::size_t number = block.line + i;
    std::string_view line = trim(raw);
    if (line.empty()) continue;
    if (line[0] != '@') return fail(MetaError::Kind::NotADirective, line, number, raw);
    FirstSplit split = split_at_whitespace(line.substr(1));
    std::string_view name = split.head;
    std::string_view value = trim_start(split.tail);
    if (value.empty()) return fail(MetaError::Kind::EmptyValue, name, number, raw);
    if (name == "title") {
      meta.title = std::string(value);
    } else if (name == "author") {
      meta.author = std::string(value);
    } else {
      return fail(MetaError::Kind::UnknownDirective, name, number, raw);
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
      const Place place{sub.heading, sub.name_column, sub.name_column + sub.name.size()};
      return std::unexpected(ParseError(
          ParseError::Source{
              MetaError(MetaError::Kind::UnknownSubsection, std::string(sub.name)).cause()},
          place));
    }
  }
  return meta;
}

}  // namespace lyre::docformat
