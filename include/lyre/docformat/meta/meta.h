// The `# Meta` block that describes a document: title, author, description
// and tags.
#pragma once

#include <expected>
#include <optional>
#include <string>
#include <vector>

#include "lyre/docformat/parse_error.h"
#include "lyre/docformat/section_block.h"

namespace lyre::docformat {

class MetaError {
 public:
  enum class Kind { EmptyValue, UnknownDirective, NotADirective, UnknownSubsection };

  MetaError(Kind kind, std::string held) : kind_(kind), held_(std::move(held)) {}

  Kind kind() const { return kind_; }
  const std::string& held() const { return held_; }
  std::string text() const;
  Cause cause() const { return {text()}; }

 private:
  Kind kind_;
  std::string held_;
};

struct Meta {
  std::optional<std::string> title;
  std::optional<std::string> author;
  std::optional<std::string> description;
  std::vector<std::string> tags;

  // Errors come wrapped as `Source`, so they show without a line number.
  static std::expected<Meta, ParseError> from_block(const SectionBlock& block);
  bool operator==(const Meta&) const = default;
};

}  // namespace lyre::docformat
