// The sectioned document format: header lines, a `# Meta` block and
// top-level sections of `##` entries, typed by a record of section lists.
// It knows no music; the record `S` that the track layer gives it does.
#pragma once

#include <string_view>
#include <vector>

#include "lyre/docformat/meta/meta.h"
#include "lyre/docformat/section_block.h"

namespace lyre::docformat {

using UnknownSection = SectionBlock;

// A typed document: header lines, the meta block, the typed section lists of
// `S`, and the sections `S` does not know. Header and unknown sections are
// slices of the parsed text, which must outlive the document.
template <class S>
struct Document {
  std::vector<std::string_view> header;
  Meta meta;
  S sections;
  std::vector<UnknownSection> unknown;
};

}  // namespace lyre::docformat
