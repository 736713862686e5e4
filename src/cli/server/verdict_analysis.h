// The analysis the server starts with: the problems `lyre check` finds, as
// diagnostics at their places, and the navigation of navigation.h.
#pragma once

#include <utility>

#include "cli/server/analysis.h"
#include "lyre/track.h"
#include "lyre/track/format/source/read_source.h"

namespace lyre::server {

class VerdictAnalysis final : public Analysis {
 public:
  // `read` fetches the imports that no open document stands in for.
  explicit VerdictAnalysis(SourceReader read = read_source) : read_(std::move(read)) {}

  std::vector<Diagnostic> diagnostics(const DocumentView& document, const OpenText& open) override;
  std::vector<Target> definition(const DocumentView& document, TextPlace place,
                                 const OpenText& open) override;
  std::optional<HoverText> hover(const DocumentView& document, TextPlace place,
                                 const OpenText& open) override;
  std::vector<OutlineSection> outline(const DocumentView& document) override;
  std::vector<Completion> completion(const DocumentView& document, TextPlace place,
                                     const OpenText& open) override;

 private:
  // The open texts in place of their files, then `read_`.
  SourceReader reader(const OpenText& open) const;

  SourceReader read_;
  LibraryCache libraries_;  // the built-in libraries, parsed once per session
};

}  // namespace lyre::server
