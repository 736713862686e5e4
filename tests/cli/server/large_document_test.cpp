// A 50 MB document goes through the whole server: framing, parsing, opening,
// an edit and its diagnostics.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "cli/server/server.h"
#include "cli/server/session_support.h"

namespace lyre::server {
namespace {

// Reports the size of what it was given, so the test sees the edited text
// without printing it.
class SizeAnalysis final : public Analysis {
 public:
  std::vector<Diagnostic> diagnostics(const DocumentView& document, const OpenText&) override {
    return {Diagnostic{{}, Severity::Hint, "size", std::to_string(document.text.size())}};
  }
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
};

TEST(LargeDocumentTest, FiftyMegabytesAreOpenedAndEdited) {
  // Nine bytes a line, just over 50 MiB in all.
  constexpr std::size_t lines = 50 * 1024 * 1024 / 9 + 1;
  std::string text;
  text.reserve(lines * 11);
  for (std::size_t i = 0; i < lines; ++i) text += "0 60 1 k\\n";
  const std::string uri = "file:///big.track";
  std::istringstream in(
      frame(R"({"jsonrpc":"2.0","id":1,"method":"initialize","params":{}})") +
      frame(
          R"({"jsonrpc":"2.0","method":"textDocument/didOpen","params":{"textDocument":{"uri":")" +
          uri + R"(","languageId":"track","version":1,"text":")" + text + "\"}}}") +
      frame(
          R"({"jsonrpc":"2.0","method":"textDocument/didChange","params":{"textDocument":{"uri":")" +
          uri + R"(","version":2},"contentChanges":[{"range":{"start":{"line":)" +
          std::to_string(lines) + R"(,"character":0},"end":{"line":)" + std::to_string(lines) +
          R"(,"character":0}},"text":"!"}]}})") +
      frame(R"({"jsonrpc":"2.0","method":"exit"})"));
  text.clear();
  SizeAnalysis analysis;
  std::ostringstream out;
  EXPECT_EQ(run_server(in, out, analysis), 1);
  const std::string opened = std::to_string(lines * 9);
  const std::string edited = std::to_string(lines * 9 + 1);
  const auto published = [&](const std::string& size) {
    return R"({"jsonrpc":"2.0","method":"textDocument/publishDiagnostics","params":{"diagnostics":[{"code":"size","message":")" +
           size +
           R"(","range":{"end":{"character":0,"line":0},"start":{"character":0,"line":0}},"severity":4,"source":"lyre"}],"uri":")" +
           uri + "\"}}\n";
  };
  const std::string bodies = bodies_of(out.str());
  EXPECT_EQ(bodies.substr(bodies.find('\n') + 1), published(opened) + published(edited));
}

}  // namespace
}  // namespace lyre::server
