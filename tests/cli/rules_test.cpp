#include "cli/rules.h"

#include <gtest/gtest.h>

#include <string>

namespace lyre::cli {
namespace {

// "{id} {severity}" for every rule, in catalogue order.
TEST(RulesTest, CatalogueInReportOrder) {
  std::string dump;
  for (const Rule& rule : rules()) {
    dump += std::string(rule.id) + " " + std::string(severity_word(rule.severity)) + "\n";
  }
  EXPECT_EQ(dump,
            "read error\nparse error\nheader error\nimport error\nunknown-layer error\n"
            "unknown-sound error\nunknown-subtrack warning\nunknown-motif warning\n"
            "unknown-tuning warning\nunknown-wave warning\nunknown-reverb warning\n"
            "unknown-marker warning\nduplicate-entry warning\n");
}

TEST(RulesTest, FindsByExactId) {
  ASSERT_NE(find_rule("unknown-wave"), nullptr);
  EXPECT_EQ(find_rule("unknown-wave")->id, "unknown-wave");
  EXPECT_EQ(find_rule("Unknown-wave"), nullptr);
  EXPECT_EQ(find_rule("unknown"), nullptr);
  EXPECT_EQ(find_rule(""), nullptr);
}

}  // namespace
}  // namespace lyre::cli
