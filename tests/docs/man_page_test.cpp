// The manual page renders without a single warning, and what it shows of the
// command (the usage text, the example runs) is what the command prints.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "checker/run_binary_test_support.h"
#include "checker/temp_tree_test_support.h"
#include "docs/guide_examples_test_support.h"

#ifndef LYRELINT_BIN
#error "LYRELINT_BIN must name the built command"
#endif

namespace lyre {
namespace {

// Relative to the source root, where the tests run.
constexpr char page_path[] = "docs/lyrelint.1";

// The first executable `name` on PATH, or empty.
std::string find_on_path(std::string_view name) {
  const char* path = std::getenv("PATH");
  std::string_view dirs = path != nullptr ? path : "";
  while (!dirs.empty()) {
    const std::size_t colon = dirs.find(':');
    const std::string_view dir = dirs.substr(0, colon);
    const std::string candidate = std::string(dir.empty() ? "." : dir) + "/" + std::string(name);
    if (::access(candidate.c_str(), X_OK) == 0) return candidate;
    if (colon == std::string_view::npos) break;
    dirs.remove_prefix(colon + 1);
  }
  return "";
}

// Sites differ in whether \- renders as a hyphen-minus or as U+2212.
std::string with_ascii_minus(std::string_view text) {
  constexpr std::string_view minus = "\xE2\x88\x92";
  std::string out;
  while (!text.empty()) {
    if (text.starts_with(minus)) {
      out += '-';
      text.remove_prefix(minus.size());
    } else {
      out += text.front();
      text.remove_prefix(1);
    }
  }
  return out;
}

class ManPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    groff_ = find_on_path("groff");
    if (groff_.empty()) GTEST_SKIP() << "groff is not installed";
  }
  // The page as plain text: no bold, no underline, ASCII minus signs.
  std::string render() const {
    const test_support::RunResult page =
        test_support::run_binary(groff_, {"-man", "-Tutf8", "-P-cbou", page_path}, ".");
    EXPECT_EQ(page.status, 0) << page.err;
    return with_ascii_minus(page.out);
  }

  std::string groff_;
};

TEST_F(ManPageTest, RendersWithoutWarnings) {
  const test_support::RunResult run =
      test_support::run_binary(groff_, {"-man", "-Tutf8", "-ww", "-z", page_path}, ".");
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.status, 0);
}

TEST_F(ManPageTest, ShowsTheUsageTheCommandPrints) {
  const test_support::RunResult usage = test_support::run_binary(LYRELINT_BIN, {}, ".");
  ASSERT_EQ(usage.status, 1);
  const std::vector<std::string_view> wanted = test_support::split_lines(usage.err);
  ASSERT_EQ(wanted.size(), 2u);

  const std::string page = render();
  const std::vector<std::string_view> shown = test_support::split_lines(page);
  bool found = false;
  for (std::size_t i = 0; i + 1 < shown.size() && !found; ++i) {
    const std::size_t indent = shown[i].find_first_not_of(' ');
    found = indent != std::string::npos && shown[i].substr(indent) == wanted[0] &&
            shown[i + 1] == std::string(indent, ' ') + std::string(wanted[1]);
  }
  EXPECT_TRUE(found) << "the page does not show, as two lines:\n" << usage.err;
}

// One transcript block of EXAMPLES: "$ cat <file>" shows a file and
// "$ lyrelint <args>" a run, each up to the next "$ " line.
struct PageExample {
  std::vector<test_support::GuideFile> files;
  std::vector<std::vector<std::string>> args;
  std::vector<std::string> outputs;
};

// The transcripts are the runs of lines indented as the page's example
// blocks are; blocks without a "$ lyrelint" line are left out.
std::vector<PageExample> page_examples(std::string_view page) {
  constexpr std::string_view block_indent = "           ";
  const std::vector<std::string_view> lines = test_support::split_lines(page);
  std::size_t i = 0;
  while (i < lines.size() && lines[i] != "EXAMPLES") ++i;
  std::vector<PageExample> examples;
  while (++i < lines.size() && (lines[i].empty() || lines[i].front() == ' ')) {
    if (!lines[i].starts_with(block_indent)) continue;
    std::vector<std::string_view> block;
    for (; i < lines.size() && lines[i].starts_with(block_indent); ++i) {
      block.push_back(lines[i].substr(block_indent.size()));
    }
    --i;
    PageExample example;
    for (std::size_t at = 0; at < block.size();) {
      std::size_t next = at + 1;
      while (next < block.size() && !block[next].starts_with("$ ")) ++next;
      const std::string text = test_support::joined(block, at + 1, next);
      if (block[at].starts_with("$ cat ")) {
        example.files.push_back({std::string(block[at].substr(6)), text});
      } else if (block[at].starts_with("$ lyrelint ")) {
        example.args.push_back(test_support::split_words(block[at].substr(11)));
        example.outputs.push_back(text);
      }
      at = next;
    }
    if (!example.args.empty()) examples.push_back(std::move(example));
  }
  return examples;
}

// Runs without a shown file check the files of the source tree.
TEST_F(ManPageTest, ExamplesShowTheExactOutput) {
  const std::vector<PageExample> examples = page_examples(render());
  ASSERT_FALSE(examples.empty()) << "the page shows no example run";
  for (const PageExample& example : examples) {
    test_support::TempTree tree;
    ASSERT_FALSE(tree.root().empty());
    for (const test_support::GuideFile& file : example.files) {
      ASSERT_TRUE(tree.add(test_support::file(file.name, file.content)));
    }
    const std::string cwd = example.files.empty() ? "." : tree.root();
    for (std::size_t run = 0; run < example.args.size(); ++run) {
      const test_support::RunResult result =
          test_support::run_binary(LYRELINT_BIN, example.args[run], cwd);
      EXPECT_EQ(result.out + result.err, example.outputs[run]);
    }
  }
}

}  // namespace
}  // namespace lyre
