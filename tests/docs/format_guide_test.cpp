// Runs every example of the format guide with the built command and compares
// its whole output and exit status with what the guide shows.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "checker/run_binary_test_support.h"
#include "checker/temp_tree_test_support.h"
#include "docs/guide_examples_test_support.h"

#ifndef LYRELINT_BIN
#error "LYRELINT_BIN must name the built command"
#endif

namespace lyre {
namespace {

// Relative to the source root, where the tests run.
constexpr char guide_path[] = "docs/format.md";

TEST(FormatGuideTest, EveryExampleShowsTheExactOutput) {
  std::ifstream in(guide_path, std::ios::binary);
  ASSERT_TRUE(in) << "cannot open " << guide_path;
  std::ostringstream text;
  text << in.rdbuf();
  const test_support::GuideExamples guide = test_support::read_guide_examples(text.str());
  for (const std::string& problem : guide.problems) ADD_FAILURE() << guide_path << " " << problem;
  ASSERT_FALSE(guide.examples.empty()) << guide_path << " has no examples";

  for (const test_support::GuideExample& example : guide.examples) {
    SCOPED_TRACE(std::string(guide_path) + " example at line " + std::to_string(example.line));
    test_support::TempTree tree;
    ASSERT_FALSE(tree.root().empty());
    for (const test_support::GuideFile& file : example.files) {
      ASSERT_TRUE(tree.add(test_support::file(file.name, file.content)));
    }
    const test_support::RunResult run =
        test_support::run_binary(LYRELINT_BIN, example.args, tree.root());
    EXPECT_EQ(run.out + run.err, example.output);
    EXPECT_EQ(run.status, example.status);
  }
}

}  // namespace
}  // namespace lyre
