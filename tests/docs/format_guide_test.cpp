// Runs every example of the format guide with the built command and compares
// its whole output and exit status with what the guide shows.
#include <gtest/gtest.h>

#include "docs/guide_runner_test_support.h"

namespace lyre {
namespace {

// Relative to the source root, where the tests run.
constexpr char guide_path[] = "docs/format.md";

TEST(FormatGuideTest, EveryExampleShowsTheExactOutput) {
  const test_support::GuideExamples guide = test_support::read_guide_file(guide_path);
  ASSERT_FALSE(guide.examples.empty()) << guide_path << " has no examples";
  test_support::expect_examples_run(guide_path, guide);
}

}  // namespace
}  // namespace lyre
