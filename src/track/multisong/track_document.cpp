// The track document's parse and import resolution, compiled here once so
// that the installed headers need neither the splitter nor the import loader.
#include "docformat/imports/imports.h"
#include "docformat/parse_document.h"
#include "lyre/track/multisong/track_sections.h"

namespace lyre::docformat {

template struct Document<TrackSections>;

}  // namespace lyre::docformat
