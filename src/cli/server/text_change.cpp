#include "cli/server/text_change.h"

#include <algorithm>

namespace lyre::server {

void apply_change(std::string& document, const TextChange& change, PositionEncoding encoding) {
  if (!change.range) {
    document = change.text;
    return;
  }
  const std::size_t start = offset_of(document, change.range->start, encoding);
  const std::size_t end = std::max(start, offset_of(document, change.range->end, encoding));
  document.replace(start, end - start, change.text);
}

}  // namespace lyre::server
