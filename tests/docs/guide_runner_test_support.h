// Runs every example of a Markdown guide with the built programs and compares
// the whole output and exit status with what the guide shows.
#pragma once

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
#ifndef LYRE_BIN
#error "LYRE_BIN must name the built program"
#endif

namespace lyre::test_support {

// The guide's examples; a guide that cannot be read, or a malformed block,
// fails the calling test. `path` is relative to the source root, where the
// tests run.
inline GuideExamples read_guide_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    ADD_FAILURE() << "cannot open " << path;
    return {};
  }
  std::ostringstream text;
  text << in.rdbuf();
  GuideExamples guide = read_guide_examples(text.str());
  for (const std::string& problem : guide.problems) ADD_FAILURE() << path << " " << problem;
  return guide;
}

// Each example in a fresh directory holding its files.
inline void expect_examples_run(const std::string& path, const GuideExamples& guide) {
  for (const GuideExample& example : guide.examples) {
    SCOPED_TRACE(path + " example at line " + std::to_string(example.line));
    TempTree tree;
    ASSERT_FALSE(tree.root().empty());
    for (const GuideFile& guide_file : example.files) {
      ASSERT_TRUE(tree.add(file(guide_file.name, guide_file.content)));
    }
    const RunResult run =
        run_binary(example.program == "lyre" ? LYRE_BIN : LYRELINT_BIN, example.args, tree.root());
    EXPECT_EQ(run.out + run.err, example.output);
    EXPECT_EQ(run.status, example.status);
  }
}

}  // namespace lyre::test_support
