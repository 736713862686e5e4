// The analysis the server starts with: the problems `lyre check` finds, as
// diagnostics at their places, and no answers yet for the navigation
// requests.
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
  std::vector<Target> definition(const DocumentView&, TextPlace, const OpenText&) override {
    return {};
  }
  std::optional<HoverText> hover(const DocumentView&, TextPlace, const OpenText&) override {
    return std::nullopt;
  }
  std::vector<OutlineSection> outline(const DocumentView&) override { return {}; }
  std::vector<Completion> completion(const DocumentView&, TextPlace, const OpenText&) override {
    return {};
  }

 private:
  SourceReader read_;
  LibraryCache libraries_;  // the built-in libraries, parsed once per session
};

}  // namespace lyre::server
