// The blocks a document splits into: a top-level `#` section with its
// preamble and its `##` (or deeper) entries. Lines are slices of the split
// text, which must outlive the blocks.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace lyre::docformat {

// One `##` (or deeper) block: its title, its body lines up to the next header
// of any level, and the indices of its children in the section's `nodes`.
struct Instance {
  std::string_view name;
  std::vector<std::string_view> lines;
  std::vector<std::size_t> children;
  std::size_t line = 0;         // file line of the first body line
  std::size_t heading = 0;      // file line of the `##` heading
  std::size_t name_column = 0;  // where the name starts on the heading line, in bytes
};

// One top-level `#` section. Blocks are kept in one flat list so that no
// walk or destructor recurses as deep as the headers nest.
struct SectionBlock {
  std::string_view name;
  std::vector<std::string_view> lines;  // the preamble
  std::size_t line = 0;                 // file line of the first preamble line
  std::size_t heading = 0;              // file line of the `#` heading
  std::vector<Instance> nodes;          // every block of the section, in file order
  std::vector<std::size_t> instances;   // indices of the `##` entries, in order

  const Instance& instance(std::size_t i) const { return nodes[instances[i]]; }
};

}  // namespace lyre::docformat
