#include "lyre/checker/check_file.h"

#include <optional>

#include "checker/read_text.h"
#include "docformat/imports/imports.h"
#include "docformat/text.h"
#include "lyre/checker/display_path.h"
#include "lyre/track.h"
#include "track/format/source/std_libraries.h"

namespace lyre {

namespace {

std::string join(const std::vector<std::string>& records) {
  std::string out;
  for (std::size_t i = 0; i < records.size(); ++i) {
    if (i > 0) out += ", ";
    out += records[i];
  }
  return out;
}

}  // namespace

LibraryCache::LibraryCache()
    : sources_(std::make_unique<docformat::SourceCache<TrackSections>>(is_builtin_source,
                                                                       /*strict=*/false)) {}
LibraryCache::~LibraryCache() = default;

Verdict check_file(const CheckedFile& file, bool refresh, LibraryCache& libraries) {
  const std::string shown = display_path(file.path);
  auto text = read_text(file.path, file.found_by_walk);
  if (!text) return Verdict{false, cat("FAIL ", shown, ": read: ", text.error())};
  return check_text(shown, *text, docformat::parent_path(file.path), refresh, read_source,
                    &libraries);
}

Verdict check_text(std::string_view shown, std::string_view text,
                   const std::optional<std::string>& base, bool refresh, const SourceReader& read,
                   LibraryCache* libraries) {
  auto fail = [&](std::string_view stage, std::string_view message) {
    return Verdict{false, cat("FAIL ", shown, ": ", stage, message)};
  };

  auto document = parse_track(text);
  if (!document) return fail("parse: ", document.error().text());

  if (auto ok = check_meta_directives(*document); !ok) return fail("", ok.error().text());
  if (auto ok = check_section_preambles(*document); !ok) return fail("", ok.error().text());

  if (auto ok = resolve_imports(*document, base, refresh, read, libraries); !ok) {
    return fail("import: ", ok.error().text());
  }

  LayerCheck layers = check_layers(*document);
  if (!layers.unresolved.empty()) return fail("unresolved layers: ", join(layers.unresolved));
  std::vector<std::string> unknown = unknown_sounds(*document);
  if (!unknown.empty()) return fail("unknown sounds: ", join(unknown));

  return Verdict{
      true, cat("ok   ", shown, ": ", std::to_string(document->sections.songs.entries.size()),
                " songs, ", std::to_string(document->sections.sounds.entries.size()), " sounds, ",
                std::to_string(layers.note_count), " notes")};
}

}  // namespace lyre
