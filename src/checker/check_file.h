// The command's layer (`checker/`): arguments, the directory walk, path
// order and the per-file pipeline, for `lyrelint` and any program at the top.
// Nothing in the library uses it.
//
// The per-file pipeline: read the file, then the library's verdict on its
// text.
#pragma once

#include "checker/collect.h"
#include "lyre/track.h"

namespace lyre {

// The verdict line the command prints for one file.
Verdict check_file(const CheckedFile& file, bool refresh, LibraryCache& libraries);

}  // namespace lyre
