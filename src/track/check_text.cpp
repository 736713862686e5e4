#include <string>
#include <vector>

#include "docformat/text.h"
#include "lyre/track.h"

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
