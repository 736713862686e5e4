// The first-error engine: one error a failing file, at its place.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "cli/engine.h"

namespace lyre::cli {
namespace {

// "{line}:{column}-{end_line}:{end_column} {severity} {rule}: {message}", one a line.
std::string dump(const std::vector<Finding>& findings, const std::string& path) {
  std::string out;
  for (const Finding& f : findings) {
    EXPECT_EQ(f.path, path);
    out += std::to_string(f.line) + ":" + std::to_string(f.column) + "-" +
           std::to_string(f.end_line) + ":" + std::to_string(f.end_column) + " " +
           std::string(severity_word(f.severity)) + " " + f.rule + ": " + f.message + "\n";
  }
  return out;
}

struct EngineCase {
  const char* name;
  std::string text;
  std::string findings;
};

void PrintTo(const EngineCase& c, std::ostream* os) { *os << c.name; }

class FirstErrorEngineTest : public ::testing::TestWithParam<EngineCase> {};

TEST_P(FirstErrorEngineTest, OneErrorAFailingText) {
  const EngineCase& c = GetParam();
  LibraryCache libraries;
  const StdinText input{"in.track", std::string(), c.text};
  EXPECT_EQ(dump(check_stdin(input, libraries), "in.track"), c.findings);
}

const std::string meta_message =
    "'@title' outside a song block does nothing: only '@import' is a document-level directive, "
    "a song header belongs in a '## <name>' block under '# Songs'";

INSTANTIATE_TEST_SUITE_P(
    FirstErrors, FirstErrorEngineTest,
    ::testing::Values(
        EngineCase{"Passes", "# Songs\n## intro\n@layer m\n# Layers\n## m\nsine 0 60 1\n", ""},
        EngineCase{"PassesWithLibrary", "@import std:drums\n# Songs\n", ""},
        // Each error stands at the token its message quotes, on its file line,
        // and its message drops the line numbers lyrelint puts before it.
        EngineCase{"SongParse", "# Songs\n## intro\n@tempo fast\n",
                   "3:8-3:12 error parse: invalid number for tempo: 'fast'\n"},
        EngineCase{"SoundParseAtFileLine", "# Sounds\n## pad\nsine 1\n\n## lead\n@volume loud\n",
                   "6:9-6:13 error parse: invalid number for volume: 'loud'\n"},
        EngineCase{"ColumnsCountCodePoints", "# Songs\n## é\n@tempo ünf\n",
                   "3:8-3:11 error parse: invalid number for tempo: 'ünf'\n"},
        EngineCase{"SplitError", "### deep\n",
                   "1:1-1:9 error parse: subheader without an enclosing header\n"},
        EngineCase{"MetaDirective", "@import std:drums\n\n@title Demo\n",
                   "3:1-3:7 error header: " + meta_message + "\n"},
        EngineCase{"Preamble", "# Layers\nkick: x\n",
                   "2:1-2:8 error header: 'kick: x' sits before the first block of '# Layers', "
                   "where nothing reads it: move it into a '## <name>' block under '# Layers'\n"},
        EngineCase{"UnknownLibrary", "@import std:nothing\n",
                   "1:9-1:20 error import: import 'std:nothing': read error: unknown std import "
                   "(enable the 'std-instruments' feature)\n"},
        EngineCase{"UnresolvedLayers", "# Songs\n## intro\n@layer b\n@layer a\n",
                   "1:1-1:2 error unknown-layer: intro:b, intro:a\n"},
        EngineCase{"UnknownSounds", "# Songs\n## s\n@layer m\n# Layers\n## m\nharp 0 60 1\n",
                   "1:1-1:2 error unknown-sound: m:harp\n"}));

TEST(FirstErrorEngineTest, UnreadableStandardInputIsARead) {
  LibraryCache libraries;
  const StdinText input{"-", std::string(), std::unexpected("invalid UTF-8 on line 2")};
  EXPECT_EQ(dump(check_stdin(input, libraries), "-"),
            "1:1-1:2 error read: invalid UTF-8 on line 2\n");
}

struct ReaderCase {
  const char* name;
  std::string text;
  std::string read;  // the names asked for, one a line
  std::string findings;
};

void PrintTo(const ReaderCase& c, std::ostream* os) { *os << c.name; }

class StdinReaderTest : public ::testing::TestWithParam<ReaderCase> {};

// Imports of standard input come from the reader the caller gives, and
// only from it.
TEST_P(StdinReaderTest, ImportsThroughTheGivenReader) {
  const ReaderCase& c = GetParam();
  std::string read;
  const SourceReader serve = [&](std::string_view name) -> std::expected<std::string, ParseError> {
    read += std::string(name) + "\n";
    if (name == "/in/lib.track") return std::string("# Sounds\n\n## pad\nsine@0.5 1\n");
    return std::unexpected(ParseError(ParseError::ImportRead{std::string(name), "not served"}));
  };
  LibraryCache libraries;
  const StdinText input{"/in/x.track", "/in", c.text};
  EXPECT_EQ(dump(check_stdin(input, libraries, serve), "/in/x.track"), c.findings);
  EXPECT_EQ(read, c.read);
}

INSTANTIATE_TEST_SUITE_P(
    Readers, StdinReaderTest,
    ::testing::Values(
        ReaderCase{"Served",
                   "@import lib.track\n# Songs\n## s\n@layer m\n# Layers\n## m\npad 0 60 1\n",
                   "/in/lib.track\n", ""},
        ReaderCase{"Refused", "@import ../other.track\n", "/in/../other.track\n",
                   "1:9-1:23 error import: import '/in/../other.track': read error: not served\n"},
        ReaderCase{"NothingImported", "# Songs\n", "", ""}));

TEST(FirstErrorEngineTest, MissingFileIsARead) {
  LibraryCache libraries;
  EXPECT_EQ(dump(check_one(CheckedFile{"no/such.track", false}, libraries), "no/such.track"),
            "1:1-1:2 error read: No such file or directory\n");
}

}  // namespace
}  // namespace lyre::cli
