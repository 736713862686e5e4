#include "lyre/docformat/name_index.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "docformat/text.h"

namespace lyre::docformat {
namespace {

TEST(NameIndex, KeepsTheFirstPositionOfEachName) {
  const std::vector<std::string> names = {"kick", "snare", "kick", "", "Kick", ""};
  auto name_at = [&](std::size_t p) -> std::string_view { return names[p]; };
  NameIndex index;
  EXPECT_EQ(index.find("kick", name_at), std::nullopt);
  for (std::size_t p = 0; p < names.size(); ++p) index.add(p, name_at);
  EXPECT_EQ(index.find("kick", name_at), 0u);
  EXPECT_EQ(index.find("snare", name_at), 1u);
  EXPECT_EQ(index.find("", name_at), 3u);
  EXPECT_EQ(index.find("Kick", name_at), 4u);
  EXPECT_EQ(index.find("kic", name_at), std::nullopt);
  index.clear();
  EXPECT_EQ(index.find("kick", name_at), std::nullopt);
}

TEST(NameIndex, FindsEveryNameAcrossGrowth) {
  std::vector<std::string> names;
  for (int i = 0; i < 50000; ++i) names.push_back(cat("n", std::to_string(i % 30000)));
  auto name_at = [&](std::size_t p) -> std::string_view { return names[p]; };
  NameIndex index;
  for (std::size_t p = 0; p < names.size(); ++p) index.add(p, name_at);
  for (int i = 0; i < 30000; ++i) {
    ASSERT_EQ(index.find(names[i], name_at), static_cast<std::size_t>(i)) << names[i];
  }
  EXPECT_EQ(index.find("n30000", name_at), std::nullopt);
}

}  // namespace
}  // namespace lyre::docformat
