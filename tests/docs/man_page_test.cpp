// The manual pages render without a single warning, and what they show of the
// programs (the usage text, the options, the rules, the example runs) is what
// the programs print.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <regex>
#include <string>
#include <string_view>
#include <vector>

#include "checker/run_binary_test_support.h"
#include "checker/temp_tree_test_support.h"
#include "cli/rules.h"
#include "docs/guide_examples_test_support.h"

#ifndef LYRELINT_BIN
#error "LYRELINT_BIN must name the built command"
#endif
#ifndef LYRE_BIN
#error "LYRE_BIN must name the built program"
#endif

namespace lyre {
namespace {

// Relative to the source root, where the tests run.
constexpr char page_path[] = "docs/lyrelint.1";
constexpr char lyre_page_path[] = "docs/lyre.1";
constexpr const char* page_paths[] = {page_path, lyre_page_path};

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
  std::string render(const std::string& path = page_path) const {
    const test_support::RunResult page =
        test_support::run_binary(groff_, {"-man", "-Tutf8", "-P-cbou", path}, ".");
    EXPECT_EQ(page.status, 0) << page.err;
    return with_ascii_minus(page.out);
  }

  std::string groff_;
};

TEST_F(ManPageTest, RendersWithoutWarnings) {
  for (const char* path : page_paths) {
    const test_support::RunResult run =
        test_support::run_binary(groff_, {"-man", "-Tutf8", "-ww", "-z", path}, ".");
    EXPECT_EQ(run.err, "") << path;
    EXPECT_EQ(run.status, 0) << path;
  }
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
// "$ lyrelint <args>" or "$ lyre <args>" a run, each up to the next "$ " line.
struct PageExample {
  std::vector<test_support::GuideFile> files;
  std::vector<const char*> programs;
  std::vector<std::vector<std::string>> args;
  std::vector<std::string> outputs;
};

// The transcripts are the runs of lines indented as the page's example
// blocks are; blocks without a run are left out.
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
        example.programs.push_back(LYRELINT_BIN);
        example.args.push_back(test_support::split_words(block[at].substr(11)));
        example.outputs.push_back(text);
      } else if (block[at].starts_with("$ lyre ")) {
        example.programs.push_back(LYRE_BIN);
        example.args.push_back(test_support::split_words(block[at].substr(7)));
        example.outputs.push_back(text);
      }
      at = next;
    }
    if (!example.args.empty()) examples.push_back(std::move(example));
  }
  return examples;
}

// Runs without a shown file check the files of the source tree.
void expect_examples_run(const std::vector<PageExample>& examples) {
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
          test_support::run_binary(example.programs[run], example.args[run], cwd);
      EXPECT_EQ(result.out + result.err, example.outputs[run]);
    }
  }
}

TEST_F(ManPageTest, ExamplesShowTheExactOutput) {
  for (const char* path : page_paths) {
    SCOPED_TRACE(path);
    expect_examples_run(page_examples(render(path)));
  }
}

// The rendered tag lines of a section: its lines indented by exactly seven
// spaces, as .TP tags and paragraphs are, up to the next section heading.
std::vector<std::string> section_lines(std::string_view page, std::string_view section) {
  const std::vector<std::string_view> lines = test_support::split_lines(page);
  std::size_t i = 0;
  while (i < lines.size() && lines[i] != section) ++i;
  std::vector<std::string> found;
  while (++i < lines.size() && (lines[i].empty() || lines[i].front() == ' ')) {
    if (lines[i].starts_with("       ") && lines[i].size() > 7 && lines[i][7] != ' ') {
      found.emplace_back(lines[i].substr(7));
    }
  }
  return found;
}

// The option names ("-j", "--jobs") of the option lines of a help text.
std::vector<std::string> help_options(std::string_view help) {
  std::vector<std::string> names;
  for (const std::string_view line : test_support::split_lines(help)) {
    if (!line.starts_with("  -")) continue;
    std::string_view spelled = line.substr(2, line.find(' ', 2) - 2);
    while (!spelled.empty()) {
      const std::size_t comma = spelled.find(',');
      names.emplace_back(spelled.substr(0, comma));
      spelled.remove_prefix(comma == std::string_view::npos ? spelled.size() : comma + 1);
    }
  }
  return names;
}

TEST_F(ManPageTest, LyrePageListsEveryOptionOfTheProgram) {
  std::vector<std::string> wanted;
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"--help"}, std::vector<std::string>{"check", "--help"}}) {
    const test_support::RunResult help = test_support::run_binary(LYRE_BIN, args, ".");
    ASSERT_EQ(help.status, 0) << help.err;
    for (std::string& name : help_options(help.out)) wanted.push_back(std::move(name));
  }
  std::sort(wanted.begin(), wanted.end());
  wanted.erase(std::unique(wanted.begin(), wanted.end()), wanted.end());
  ASSERT_GE(wanted.size(), 7u) << "the help texts list fewer options than expected";

  std::vector<std::string> shown;
  for (const std::string& tag : section_lines(render(lyre_page_path), "OPTIONS")) {
    if (!tag.starts_with('-')) continue;
    for (std::string word : test_support::split_words(tag)) {
      if (word.ends_with(',')) word.pop_back();
      if (word.starts_with('-')) shown.push_back(word);
    }
  }
  std::sort(shown.begin(), shown.end());
  EXPECT_EQ(shown, wanted);
}

TEST_F(ManPageTest, LyrePageListsEveryRuleWithItsSeverity) {
  std::vector<std::string> wanted;
  for (const cli::Rule& rule : cli::rules()) {
    wanted.push_back(std::string(rule.id) + " " + std::string(cli::severity_word(rule.severity)));
  }
  const std::regex tag(R"(([a-z][a-z-]*) \((error|warning)[,)].*)");
  std::vector<std::string> shown;
  for (const std::string& line : section_lines(render(lyre_page_path), "RULES")) {
    if (std::smatch match; std::regex_match(line, match, tag)) {
      shown.push_back(match[1].str() + " " + match[2].str());
    }
  }
  EXPECT_EQ(shown, wanted);
}

}  // namespace
}  // namespace lyre
