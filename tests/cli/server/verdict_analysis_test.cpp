#include "cli/server/verdict_analysis.h"

#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace lyre::server {
namespace {

struct VerdictCase {
  const char* name;
  std::string uri;
  std::optional<std::string> path;
  std::string text;
  std::string diagnostics;  // "line:start-end code: message", one a line
};

void PrintTo(const VerdictCase& c, std::ostream* os) { *os << c.name; }

// Open documents the checked one may import; nothing else is read.
const std::map<std::string, std::string, std::less<>> open_texts = {
    {"/lyre-verdict/broken.track", "# Sounds\n\n## kick\nsine@0.5 1\n@decay fast\n"},
    {"/lyre-verdict/fine.track", "# Sounds\n\n## kick\nsine@0.5 1\n"},
};

class VerdictAnalysisTest : public ::testing::TestWithParam<VerdictCase> {};

TEST_P(VerdictAnalysisTest, OneDiagnosticFromTheVerdict) {
  VerdictAnalysis analysis;
  const OpenText open = [](std::string_view path) -> std::optional<std::string_view> {
    const auto found = open_texts.find(path);
    if (found == open_texts.end()) return std::nullopt;
    return found->second;
  };
  std::optional<std::string_view> path;
  if (GetParam().path) path = *GetParam().path;
  std::string dump;
  for (const Diagnostic& d : analysis.diagnostics({GetParam().uri, path, GetParam().text}, open)) {
    EXPECT_EQ(d.span.start.line, d.span.end.line);
    EXPECT_EQ(d.severity, Severity::Error);
    dump += std::to_string(d.span.start.line) + ":" + std::to_string(d.span.start.column) + "-" +
            std::to_string(d.span.end.column) + " " + d.code + ": " + d.message + "\n";
  }
  EXPECT_EQ(dump, GetParam().diagnostics);
}

const std::string file_uri = "file:///lyre-verdict/x.track";
const std::string file_path = "/lyre-verdict/x.track";

INSTANTIATE_TEST_SUITE_P(
    Texts, VerdictAnalysisTest,
    ::testing::Values(
        VerdictCase{"Fine", file_uri, file_path, "# Sounds\n\n## kick\nsine@0.5 1\n", ""},
        VerdictCase{"Empty", file_uri, file_path, "", ""},
        VerdictCase{"ParseOnItsLine", file_uri, file_path,
                    "# Sounds\n\n## kick\nsine@0.5 1\n@decay fast\n",
                    "4:7-11 parse: invalid number for duration: 'fast'\n"},
        VerdictCase{"ParseOnItsLineWithCrLf", file_uri, file_path,
                    "# Sounds\r\n\r\n## kick\r\nsine@0.5 1\r\n@decay fast\r\n",
                    "4:7-11 parse: invalid number for duration: 'fast'\n"},
        VerdictCase{"ParseWithoutLine", file_uri, file_path, "# Meta\n@bogus x\n",
                    "1:1-6 parse: unknown meta directive '@bogus'\n"},
        VerdictCase{"Header", file_uri, file_path, "# Songs\nstray\n## s\n",
                    "1:0-5 header: 'stray' sits before the first block of '# Songs', where "
                    "nothing reads it: move it into a '## <name>' block under '# Songs'\n"},
        VerdictCase{"UnresolvedLayer", file_uri, file_path, "# Songs\n\n## s\n@layer x\n",
                    "3:7-8 unknown-layer: unknown layer 'x'\n"},
        VerdictCase{"OpenImportServedFromMemory", file_uri, file_path, "@import broken.track\n",
                    "0:8-20 import: /lyre-verdict/broken.track:5: invalid number for duration: "
                    "'fast'\n"},
        VerdictCase{"OpenImportThatIsFine", file_uri, file_path, "@import fine.track\n# Songs\n",
                    ""},
        VerdictCase{"BuiltInLibrary", file_uri, file_path, "@import std:drums\n", ""},
        VerdictCase{"UntitledIsShownByItsUri", "untitled:1", std::nullopt,
                    "# Songs\n\n## s\n@layer x\n", "3:7-8 unknown-layer: unknown layer 'x'\n"}));

// Imports that no open document stands in for come from the analysis's own
// reader, and only from it.
TEST(VerdictAnalysisTest, ClosedImportsThroughItsReader) {
  std::string read;
  VerdictAnalysis analysis([&](std::string_view name) -> std::expected<std::string, ParseError> {
    read += std::string(name) + "\n";
    return std::unexpected(ParseError(ParseError::ImportRead{std::string(name), "not served"}));
  });
  const OpenText none = [](std::string_view) -> std::optional<std::string_view> {
    return std::nullopt;
  };
  const std::vector<Diagnostic> found =
      analysis.diagnostics({file_uri, file_path, "@import closed.track\n"}, none);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].message, "import '/lyre-verdict/closed.track': read error: not served");
  EXPECT_EQ(read, "/lyre-verdict/closed.track\n");
}

}  // namespace
}  // namespace lyre::server
