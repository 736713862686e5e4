#include "lyre/track.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace lyre {
namespace {

// What a resolution left behind: its error text (empty when it succeeded),
// every sound as "name<-origin", and the paths the reader was asked for.
struct Outcome {
  std::string error;
  std::vector<std::string> sounds;
  std::vector<std::string> reads;
  bool operator==(const Outcome&) const = default;
};

void PrintTo(const Outcome& o, std::ostream* os) {
  *os << "error '" << o.error << "' sounds";
  for (const std::string& s : o.sounds) *os << ' ' << s;
  *os << " reads";
  for (const std::string& r : o.reads) *os << ' ' << r;
}

// An in-memory source table: a missing path reads as a read error.
using Sources = std::map<std::string, std::string>;

struct ResolveCase {
  const char* name;
  std::string text;
  std::optional<std::string> base;
  Sources sources;
  Outcome expected;
};

void PrintTo(const ResolveCase& c, std::ostream* os) { *os << c.name; }

Outcome resolve(const std::string& text, const std::optional<std::string>& base,
                const SourceReader& read, LibraryCache* libraries = nullptr) {
  auto document = parse_track(text);
  if (!document) return Outcome{"parse: " + document.error().text(), {}, {}};
  Outcome outcome;
  auto resolved = resolve_imports(*document, base, /*refresh=*/false, read, libraries);
  if (!resolved) outcome.error = resolved.error().text();
  for (const auto& sound : document->sections.sounds.entries) {
    outcome.sounds.push_back(sound.name + "<-" + sound.origin.value_or("here"));
  }
  return outcome;
}

class ResolveImportsTest : public ::testing::TestWithParam<ResolveCase> {};

TEST_P(ResolveImportsTest, MergesWhatTheReaderGives) {
  const ResolveCase& c = GetParam();
  std::vector<std::string> reads;
  SourceReader read = [&](std::string_view path) -> std::expected<std::string, ParseError> {
    reads.emplace_back(path);
    auto it = c.sources.find(std::string(path));
    if (it == c.sources.end()) {
      return std::unexpected(ParseError(ParseError::ImportRead{std::string(path), "gone"}));
    }
    return it->second;
  };
  Outcome outcome = resolve(c.text, c.base, read);
  outcome.reads = reads;
  EXPECT_EQ(outcome, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Sources, ResolveImportsTest,
    ::testing::Values(
        ResolveCase{"RelativeImportsResolveAgainstTheBase",
                    "@import kit.track\n# Sounds\n## own\n",
                    "songs",
                    {{"songs/kit.track", "@import more/hat.track\n# Sounds\n## kick\n"},
                     {"songs/more/hat.track", "# Sounds\n## hat\n"}},
                    {"",
                     {"own<-here", "kick<-songs/kit.track", "hat<-songs/more/hat.track"},
                     {"songs/kit.track", "songs/more/hat.track"}}},
        ResolveCase{"WithoutABaseImportsResolveAsWritten",
                    "@import kit.track\n",
                    std::nullopt,
                    {{"kit.track", "# Sounds\n## kick\n"}},
                    {"", {"kick<-kit.track"}, {"kit.track"}}},
        ResolveCase{"FirstDefinitionWinsAndAnAliasQualifiesCollisions",
                    "@import a.track\n@import b.track as b\n# Sounds\n## kick\n",
                    "",
                    {{"a.track", "# Sounds\n## kick\n## snare\n"},
                     {"b.track", "# Sounds\n## snare\n## hat\n"}},
                    {"",
                     {"kick<-here", "snare<-a.track", "b::snare<-b.track", "hat<-b.track"},
                     {"a.track", "b.track"}}},
        ResolveCase{"AnUnreadableSourceIsSkippedAndTheFirstOneIsTheError",
                    "@import gone.track\n@import kit.track\n@import lost.track\n",
                    "",
                    {{"kit.track", "# Sounds\n## kick\n"}},
                    {"import 'gone.track': read error: gone",
                     {"kick<-kit.track"},
                     {"gone.track", "kit.track", "lost.track"}}},
        ResolveCase{
            "ASourceThatDoesNotParseComesBeforeAReadError",
            "@import gone.track\n@import bad.track\n@import kit.track\n",
            "",
            {{"bad.track", "# Sounds\n## s\nsine nope\n"}, {"kit.track", "# Sounds\n## kick\n"}},
            {"in import bad.track: line 3: line 1: invalid number for sine: 'nope'",
             {},
             {"gone.track", "bad.track"}}},
        ResolveCase{"EachSourceIsReadOnce",
                    "@import a.track\n@import b.track\n",
                    "",
                    {{"a.track", "@import b.track\n# Sounds\n## x\n"},
                     {"b.track", "@import a.track\n# Sounds\n## y\n"}},
                    {"", {"x<-a.track", "y<-b.track"}, {"a.track", "b.track"}}}),
    [](const auto& info) { return std::string(info.param.name); });

struct DefaultReaderCase {
  const char* name;
  std::string text;
  Outcome expected;
};

void PrintTo(const DefaultReaderCase& c, std::ostream* os) { *os << c.name; }

class DefaultReaderTest : public ::testing::TestWithParam<DefaultReaderCase> {};

TEST_P(DefaultReaderTest, ServesBuiltInLibrariesAndRefusesWebAddresses) {
  const DefaultReaderCase& c = GetParam();
  EXPECT_EQ(resolve(c.text, "", read_source), c.expected);
  LibraryCache libraries;
  EXPECT_EQ(resolve(c.text, "", read_source, &libraries), c.expected);
  EXPECT_EQ(resolve(c.text, "", read_source, &libraries), c.expected) << "from the cache";
}

INSTANTIATE_TEST_SUITE_P(
    Sources, DefaultReaderTest,
    ::testing::Values(
        DefaultReaderCase{
            "BuiltInLibrary",
            "@import std:drums as d\n# Sounds\n## kick\n",
            {"",
             {"kick<-here", "d::kick<-std:drums", "tom<-std:drums", "snare<-std:drums",
              "clap<-std:drums", "rim<-std:drums", "hihat<-std:drums", "openhat<-std:drums"},
             {}}},
        DefaultReaderCase{"UnknownLibrary",
                          "@import std:strings\n",
                          {"import 'std:strings': read error: unknown std import (enable the "
                           "'std-instruments' feature)",
                           {},
                           {}}},
        DefaultReaderCase{"WebAddress",
                          "@import https://example.com/kit.track\n",
                          {"import download 'https://example.com/kit.track': the 'online' "
                           "feature is disabled",
                           {},
                           {}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ParseTrack, ErrorsAreValuesWithTheirText) {
  const std::string text = "# Songs\n## a\n@layer x\n# Sounds\n## s\nsine 1\nsine nope\n";
  auto document = parse_track(text);
  ASSERT_FALSE(document.has_value());
  EXPECT_EQ(document.error().text(), "line 7: line 2: invalid number for sine: 'nope'");
}

}  // namespace
}  // namespace lyre
