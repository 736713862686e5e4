// Splitting a text into the header lines, top-level sections and their
// nested blocks. Lines are slices of the text, which must outlive the result.
#pragma once

#include <cstddef>
#include <expected>
#include <string_view>
#include <vector>

#include "docformat/parse_error.h"

namespace lyre::docformat {

// One `##` (or deeper) block: its title, its body lines up to the next header
// of any level, and the indices of its children in the section's `nodes`.
struct Instance {
  std::string_view name;
  std::vector<std::string_view> lines;
  std::vector<std::size_t> children;
  std::size_t line = 0;  // file line of the first body line
};

// One top-level `#` section. Blocks are kept in one flat list so that no
// walk or destructor recurses as deep as the headers nest.
struct SectionBlock {
  std::string_view name;
  std::vector<std::string_view> lines;  // the preamble
  std::vector<Instance> nodes;          // every block of the section, in file order
  std::vector<std::size_t> instances;   // indices of the `##` entries, in order

  const Instance& instance(std::size_t i) const { return nodes[instances[i]]; }
};

struct SplitDocument {
  std::vector<std::string_view> header;
  std::vector<SectionBlock> sections;
};

std::expected<SplitDocument, ParseError> split_document(std::string_view text);

// Removes the blank lines at both ends of one block, moving `line` past the
// leading ones. The splitter applies it to every block of a section.
void trim_blank_edges(Instance& instance);

std::expected<void, ParseError> reject_stray_meta(const std::vector<std::string_view>& header);

}  // namespace lyre::docformat
