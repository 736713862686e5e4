// Indentation of layer and motif body lines.
#pragma once

#include <string_view>

namespace lyre {

// Only a space or a tab indents a raw body line; other white space is
// trimmed like any and does not.
inline bool is_indented(std::string_view raw_line) {
  return !raw_line.empty() && (raw_line.front() == ' ' || raw_line.front() == '\t');
}

}  // namespace lyre
