// Where a document's parse error stands: the file line and the byte span of
// the token its message quotes (else the line read, trimmed), in each of the
// nine entry types. The text is what the command prints after "parse: ".
#include <gtest/gtest.h>

#include <expected>
#include <string>
#include <string_view>

#include "lyre/track.h"

namespace lyre {
namespace {

struct PlaceCase {
  const char* name;
  std::string text;
  std::string error;
  docformat::Place place;
};

void PrintTo(const PlaceCase& c, std::ostream* os) { *os << c.name; }

}  // namespace
}  // namespace lyre

namespace lyre::docformat {
void PrintTo(const Place& p, std::ostream* os) {
  *os << "line " << p.line << " bytes " << p.begin << ".." << p.end;
}
}  // namespace lyre::docformat

namespace lyre {
namespace {

class ErrorPlace : public testing::TestWithParam<PlaceCase> {};

TEST_P(ErrorPlace, IsTheQuotedTokenOnItsFileLine) {
  auto document = parse_track(GetParam().text);
  ASSERT_FALSE(document.has_value());
  EXPECT_EQ(document.error().text(), GetParam().error);
  EXPECT_EQ(document.error().place(), GetParam().place);
}

INSTANTIATE_TEST_SUITE_P(
    EntryTypes, ErrorPlace,
    testing::Values(PlaceCase{"Song",
                              "@import std:drums\n\n# Songs\n## intro\n@tempo 90\n@tempo  fast\n",
                              "line 2: invalid number for tempo: 'fast'",
                              {6, 8, 12}},
                    PlaceCase{"SongWithoutToken",
                              "# Songs\n## intro\n\n  tempo 90\n",
                              "line 1: expected an '@' directive, got 'tempo'",
                              {4, 2, 7}},
                    PlaceCase{"Layer",
                              "# Layers\n## lead\nkick 0 60 1\nkick x 60 1\n",
                              "line 4: line 2: invalid number for start: 'x'",
                              {4, 5, 6}},
                    PlaceCase{"LayerBodyError",
                              "# Layers\n## lead\n\n  pitch 0 0\n",
                              "line 4: indented pitch/volume curve without a preceding note",
                              {4, 2, 11}},
                    PlaceCase{"Sound",
                              "# Sounds\n## pad\nsine 1\n@attack soon\n",
                              "line 4: line 2: invalid number for duration: 'soon'",
                              {4, 8, 12}},
                    PlaceCase{"Tuning",
                              "# Tunings\n## odd\nequal x\n",
                              "line 3: line 1: invalid step count 'x'",
                              {3, 6, 7}},
                    PlaceCase{"Wave",
                              "# Waves\n## w\n0 0\n0.5 y\n",
                              "line 4: line 2: invalid number for wave y: 'y'",
                              {4, 4, 5}},
                    PlaceCase{"Subtitles",
                              "# Subtitles\n## en\n0 \"Hello\"\nsoon \"Bye\"\n",
                              "line 2: invalid number for subtitle beat: 'soon'",
                              {4, 0, 4}},
                    PlaceCase{"Motif",
                              "# Motifs\n## m\n0 60 1\n0 60 long\n",
                              "line 4: line 2: invalid number for duration: 'long'",
                              {4, 5, 9}},
                    PlaceCase{"Snapshot",
                              "# Snapshots\n## calm\nmusic 0.5\nsfx loud\n",
                              "line 2: invalid snapshot value 'loud'",
                              {4, 4, 8}},
                    PlaceCase{"ReverbPreset",
                              "# Reverb\n## hall\nroom_size 0.5\nshimmer 1\n",
                              "line 2: unknown reverb key 'shimmer'",
                              {4, 0, 7}}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(Document, ErrorPlace,
                         testing::Values(PlaceCase{"SubheaderWithoutHeader",
                                                   "prose\n## orphan \n",
                                                   "subheader without an enclosing header",
                                                   {2, 0, 9}},
                                         PlaceCase{"MetaDirective",
                                                   "# Meta\n@title x\n @bogus y\n",
                                                   "unknown meta directive '@bogus'",
                                                   {3, 2, 7}},
                                         PlaceCase{"MetaValue",
                                                   "# Meta\n\n@author\n",
                                                   "meta '@author' needs a value",
                                                   {3, 1, 7}},
                                         PlaceCase{"MetaSubsection",
                                                   "# Meta\n## Notes\nx\n",
                                                   "unknown meta subsection '## Notes'",
                                                   {2, 3, 8}}),
                         [](const auto& info) { return std::string(info.param.name); });

struct CheckCase {
  const char* name;
  std::string text;
  std::string error;
  docformat::Place place;
};

void PrintTo(const CheckCase& c, std::ostream* os) { *os << c.name; }

class CheckPlace : public testing::TestWithParam<CheckCase> {};

TEST_P(CheckPlace, IsTheLineTheCheckNames) {
  auto document = parse_track(GetParam().text);
  ASSERT_TRUE(document.has_value()) << document.error().text();
  auto header = check_meta_directives(*document);
  auto checked = header ? check_section_preambles(*document) : header;
  ASSERT_FALSE(checked.has_value());
  EXPECT_EQ(checked.error().text(), GetParam().error);
  EXPECT_EQ(checked.error().place(), GetParam().place);
}

INSTANTIATE_TEST_SUITE_P(
    Checks, CheckPlace,
    testing::Values(
        CheckCase{"HeaderDirective",
                  "@import std:drums\n  @tempo 90\n# Songs\n",
                  "line 2: '@tempo' outside a song block does nothing: only '@import' is a "
                  "document-level directive, a song header belongs in a '## <name>' block under "
                  "'# Songs'",
                  {2, 2, 8}},
        CheckCase{"Preamble",
                  "# Layers\n## a\nkick 0 60 1\n# Sounds\n\n  hum 1\n## pad\nsine 1\n",
                  "'hum 1' sits before the first block of '# Sounds', where nothing reads it: move "
                  "it into a '## <name>' block under '# Sounds'",
                  {6, 2, 7}}),
    [](const auto& info) { return std::string(info.param.name); });

// A source table for imports: a missing path reads as a read error.
std::expected<std::string, ParseError> read_from(std::string_view path) {
  if (path.starts_with("std:")) return read_source(path);
  if (path == "bad.track") return std::string("# Sounds\n## x\nsine one\n");
  return std::unexpected(ParseError(ParseError::ImportRead{std::string(path), "No such file"}));
}

TEST(ImportPlace, AFailedReadStandsOnTheImportTarget) {
  auto document = parse_track("@import std:drums\n@import   missing.track as m\n");
  ASSERT_TRUE(document.has_value());
  auto resolved = resolve_imports(*document, std::nullopt, false, read_from);
  ASSERT_FALSE(resolved.has_value());
  EXPECT_EQ(resolved.error().text(), "import 'missing.track': read error: No such file");
  EXPECT_EQ(resolved.error().place(), (docformat::Place{2, 10, 23}));
}

TEST(ImportPlace, AnErrorInsideAnImportStandsInThatFile) {
  auto document = parse_track("@import bad.track\n");
  ASSERT_TRUE(document.has_value());
  auto resolved = resolve_imports(*document, std::nullopt, false, read_from);
  ASSERT_FALSE(resolved.has_value());
  EXPECT_EQ(resolved.error().text(),
            "in import bad.track: line 3: line 1: invalid number for sine: 'one'");
  EXPECT_EQ(resolved.error().place(), (docformat::Place{3, 5, 8}));
}

}  // namespace
}  // namespace lyre
