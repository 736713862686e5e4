#include "checker/check_file.h"

#include <optional>

#include "checker/display_path.h"
#include "checker/read_text.h"
#include "checker/references.h"
#include "docformat/imports/imports.h"
#include "docformat/text.h"
#include "track/format/source/read_source.h"
#include "track/multisong/track_checks.h"
#include "track/multisong/track_sections.h"

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

LibraryCache make_library_cache() { return LibraryCache(is_builtin_source, /*strict=*/false); }

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

  auto document = TrackDocument::parse_with(text, /*strict=*/false);
  if (!document) return fail("parse: ", document.error().text());

  if (auto ok = check_meta_directives(*document); !ok) return fail("", ok.error().text());
  if (auto ok = check_section_preambles(*document); !ok) return fail("", ok.error().text());

  // Fetch errors do not stop resolution; the first one is the file's failure.
  std::optional<ParseError> fetch_error;
  docformat::Fetch fetch = [&](const std::string& path, bool) -> std::optional<std::string> {
    auto source = read(path);
    if (source) return std::move(*source);
    if (!fetch_error) fetch_error = std::move(source.error());
    return std::nullopt;
  };
  auto imported =
      document->resolve_imports_with_strictness(base, refresh, /*strict=*/false, fetch, libraries);
  if (!imported) return fail("import: ", imported.error().text());
  if (fetch_error) return fail("import: ", fetch_error->text());

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
