#include <gtest/gtest.h>

#include <chrono>
#include <ostream>
#include <string>
#include <vector>

#include "lyre/track.h"

namespace lyre {
namespace {

using Strings = std::vector<std::string>;

TrackDocument parse(const std::string& text) {
  auto document = parse_track(text);
  EXPECT_TRUE(document.has_value()) << (document ? "" : document.error().text());
  return document ? std::move(*document) : TrackDocument{};
}

struct UnknownCase {
  const char* name;
  std::string text;
  Strings unknown;
};

void PrintTo(const UnknownCase& c, std::ostream* os) { *os << c.name; }

class UnknownSoundsTest : public ::testing::TestWithParam<UnknownCase> {};

TEST_P(UnknownSoundsTest, ListsEachRecordOnceSorted) {
  const UnknownCase& c = GetParam();
  const TrackDocument document = parse(c.text);
  EXPECT_EQ(unknown_sounds(document), c.unknown);
}

INSTANTIATE_TEST_SUITE_P(
    Songs, UnknownSoundsTest,
    ::testing::Values(
        UnknownCase{"LayerSharedBySongsIsReportedOnce",
                    "# Songs\n## a\n@layer lead\n## b\n@layer lead\n"
                    "# Layers\n## lead\nharp 0 60 1\nharp 1 60 1\n",
                    {"lead:harp"}},
        UnknownCase{"LaterSongReachesLayersTheFirstDidNot",
                    "# Songs\n## a\n@layer top\n## b\n@layer other\n@layer top\n"
                    "# Layers\n## top\nx 0 60 1\nsubtrack mid 0\n## mid\ny 0 60 1\n"
                    "## other\nz 0 60 1\nsubtrack deep 0\n## deep\nw 0 60 1\n",
                    {"deep:w", "mid:y", "other:z", "top:x"}},
        UnknownCase{"LayerReachedFirstThroughAPlacementKeepsItsOwnName",
                    "# Songs\n## a\n@layer top\n## b\n@layer mid\n"
                    "# Layers\n## top\nsubtrack mid 0 bell\n## mid\ny 0 60 1\n",
                    {"mid:y", "top:bell"}},
        UnknownCase{"CyclesAcrossSongsEnd",
                    "# Songs\n## a\n@layer p\n## b\n@layer q\n"
                    "# Layers\n## p\nsubtrack q 0\nu 0 60 1\n## q\nsubtrack p 0\nv 0 60 1\n",
                    {"p:u", "q:v"}},
        UnknownCase{"DefinedSoundsAndMissingLayersAreNotReported",
                    "# Songs\n## a\n@layer l\n@layer gone\n## b\n@layer l\n"
                    "# Layers\n## l\nbell 0 60 1\nsubtrack nowhere 0\n# Sounds\n## bell\n",
                    {}}),
    [](const auto& info) { return std::string(info.param.name); });

// Many songs naming the head of one long chain of subtrack placements: the
// chain is read once, not once per song.
TEST(UnknownSounds, ManySongsOverALongChainStayLinear) {
  const int count = 20000;
  std::string text = "# Songs\n";
  for (int i = 0; i < count; ++i) text += "## s" + std::to_string(i) + "\n@layer l0\n";
  text += "# Layers\n";
  for (int i = 0; i < count; ++i) {
    text += "## l" + std::to_string(i) + "\n";
    if (i + 1 < count) text += "subtrack l" + std::to_string(i + 1) + " 0\n";
  }
  text += "harp 0 60 1\n";
  const TrackDocument document = parse(text);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(unknown_sounds(document), Strings{"l19999:harp"});
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
}

}  // namespace
}  // namespace lyre
