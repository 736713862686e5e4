// The rule guide: every example shows the exact output of the built programs,
// and every rule of the catalogue has a section of its own, in catalogue
// order, with an example that reports a finding of that rule.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/rules.h"
#include "docs/guide_runner_test_support.h"

namespace lyre {
namespace {

// Relative to the source root, where the tests run.
constexpr char guide_path[] = "docs/rules.md";

struct RuleSection {
  std::string id;
  std::size_t line = 0;  // of the heading, from 1
};

// The "## `<id>`" headings, in order.
std::vector<RuleSection> rule_sections(std::string_view markdown) {
  std::vector<RuleSection> sections;
  const std::vector<std::string_view> lines = test_support::split_lines(markdown);
  bool in_block = false;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].starts_with("```")) in_block = !in_block;
    const std::string_view line = lines[i];
    if (in_block || !line.starts_with("## `") || !line.ends_with('`') || line.size() < 6) continue;
    sections.push_back({std::string(line.substr(4, line.size() - 5)), i + 1});
  }
  return sections;
}

std::string guide_text() {
  std::ifstream in(guide_path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(RulesGuideTest, EveryExampleShowsTheExactOutput) {
  const test_support::GuideExamples guide = test_support::read_guide_file(guide_path);
  ASSERT_FALSE(guide.examples.empty()) << guide_path << " has no examples";
  test_support::expect_examples_run(guide_path, guide);
}

TEST(RulesGuideTest, OneSectionForEachRuleInCatalogueOrder) {
  std::vector<std::string> shown;
  for (const RuleSection& section : rule_sections(guide_text())) shown.push_back(section.id);
  std::vector<std::string> wanted;
  for (const cli::Rule& rule : cli::rules()) wanted.emplace_back(rule.id);
  EXPECT_EQ(shown, wanted);
}

// An example belongs to the section its console block stands in; it counts
// for the rule when its output has a finding of that rule in the text format.
TEST(RulesGuideTest, EveryRuleHasAnExampleOfItsFinding) {
  const std::string text = guide_text();
  const std::vector<RuleSection> sections = rule_sections(text);
  const test_support::GuideExamples guide = test_support::read_guide_examples(text);
  for (const cli::Rule& rule : cli::rules()) {
    const auto section = std::find_if(sections.begin(), sections.end(),
                                      [&](const RuleSection& s) { return s.id == rule.id; });
    if (section == sections.end()) {
      ADD_FAILURE() << guide_path << " has no section for rule '" << rule.id << "'";
      continue;
    }
    const std::size_t end = section + 1 == sections.end() ? text.size() : (section + 1)->line;
    const std::string finding = " [" + std::string(rule.id) + "]\n";
    const bool shown = std::any_of(
        guide.examples.begin(), guide.examples.end(), [&](const test_support::GuideExample& e) {
          return e.program == "lyre" && e.line > section->line && e.line < end &&
                 e.output.find(finding) != std::string::npos;
        });
    EXPECT_TRUE(shown) << guide_path << ": the section of rule '" << rule.id
                       << "' has no 'lyre check' example that reports it";
  }
}

}  // namespace
}  // namespace lyre
