#include "lyre/track/multisong/snapshot.h"

#include <cstddef>

#include "docformat/text.h"
#include "docformat/whitespace.h"
#include "lyre/docformat/parse_error.h"
#include "lyre/track/format/parse_error.h"
#include "track/format/tokens.h"

namespace lyre {

std::expected<Snapshot, docformat::ParseError> Snapshot::parse(
    std::span<const std::string_view> lines) {
  Snapshot snapshot;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::size_t n = i + 1;
    const std::string_view line = trim(lines[i]);
    if (line.empty()) continue;
    const FirstSplit split = split_at_whitespace(line);
    if (!split.found) {
      return std::unexpected(docformat::ParseError::source(
          ParseError::line(n, "snapshot entry needs '<param> <value>'")));
    }
    // The message quotes the value as written after the first blank.
    auto value = read_float(trim(split.tail));
    if (!value) {
      return std::unexpected(docformat::ParseError::source(
          ParseError::line(n, cat("invalid snapshot value '", split.tail, "'"), split.tail)));
    }
    snapshot.values.insert_or_assign(std::string(split.head), *value);
  }
  return snapshot;
}

}  // namespace lyre
