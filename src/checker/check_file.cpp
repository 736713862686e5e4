#include "checker/check_file.h"

#include <string>

#include "docformat/imports/imports.h"
#include "docformat/text.h"
#include "track/format/source/display_path.h"
#include "track/format/source/read_text.h"

namespace lyre {

Verdict check_file(const CheckedFile& file, bool refresh, LibraryCache& libraries) {
  const std::string shown = display_path(file.path);
  auto text = read_text(file.path, file.found_by_walk);
  if (!text) return Verdict{false, cat("FAIL ", shown, ": read: ", text.error())};
  return check_text(shown, *text, docformat::parent_path(file.path), refresh, read_source,
                    &libraries);
}

}  // namespace lyre
