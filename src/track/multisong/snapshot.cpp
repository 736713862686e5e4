#include "lyre/track/multisong/snapshot.h"

#include <cstddef>

#include "docformat/text.h"
#include "docformat/whitespace.h"
#include "lyre/docformat/parse_error.h"
#include "lyre/track/format/parse_error.h"
#include "track/format/tokens.h"
#include "track/multisong/entry_body.h"

namespace lyre {

std::expected<Snapshot, docformat::ParseError> Snapshot::parse(
    std::span<const std::string_view> lines, std::size_t first_line) {
  Snapshot snapshot;
  auto read = read_body<Snapshot>(
      lines, first_line, [&](const BodyLine& line) -> std::expected<void, ParseError> {
        const FirstSplit split = split_at_whitespace(line.text);
        if (!split.found) return fail(line.n, "snapshot entry needs '<param> <value>'");
        // The message quotes the value as written after the first blank.
        auto value = read_float(trim(split.tail));
        if (!value) {
          return fail(line.n, cat("invalid snapshot value '", split.tail, "'"), split.tail);
        }
        snapshot.values.insert_or_assign(std::string(split.head), *value);
        return {};
      });
  if (!read) return std::unexpected(std::move(read.error()));
  return snapshot;
}

}  // namespace lyre
