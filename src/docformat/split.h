// Splitting a text into the header lines, top-level sections and their
// nested blocks. Lines are slices of the text, which must outlive the result.
#pragma once

#include <cstddef>
#include <expected>
#include <string_view>
#include <vector>

#include "lyre/docformat/parse_error.h"
#include "lyre/docformat/section_block.h"

namespace lyre::docformat {

struct SplitDocument {
  std::vector<std::string_view> header;
  std::vector<SectionBlock> sections;
};

// With `errors`, a header line that cannot stand where it does is recorded
// there and left out, and the split goes on; without, it ends the split.
std::expected<SplitDocument, ParseError> split_document(std::string_view text,
                                                        std::vector<ParseError>* errors = nullptr);

// Removes the blank lines at both ends of one block, moving `line` past the
// leading ones. The splitter applies it to every block of a section.
void trim_blank_edges(Instance& instance);

std::expected<void, ParseError> reject_stray_meta(const std::vector<std::string_view>& header);

}  // namespace lyre::docformat
