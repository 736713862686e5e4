#include "docformat/split.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lyre::docformat {
namespace {

using Lines = std::vector<std::string_view>;

SplitDocument split(std::string_view text) {
  auto doc = split_document(text);
  EXPECT_TRUE(doc.has_value()) << text;
  return doc ? std::move(*doc) : SplitDocument{};
}

TEST(SplitDocument, EmptyTextHasNothing) {
  SplitDocument doc = split("");
  EXPECT_TRUE(doc.header.empty());
  EXPECT_TRUE(doc.sections.empty());
}

TEST(SplitDocument, LinesAreCutAtLineFeedsAndCarriageReturnsBeforeThem) {
  SplitDocument doc = split("a\r\nb\rc\n\nlast");
  EXPECT_EQ(doc.header, (Lines{"a", "b\rc", "", "last"}));
  EXPECT_EQ(split("a\n").header, (Lines{"a"}));
}

TEST(SplitDocument, HeaderLinesKeepBlanksAndIndentation) {
  SplitDocument doc = split("\n  @import x\n\n# S\n");
  EXPECT_EQ(doc.header, (Lines{"", "  @import x", ""}));
}

TEST(SplitDocument, HeaderTitlesAreTrimmedAndNeedNoSpace) {
  for (std::string_view text : {"#Songs\n", "# Songs\n", "#   Songs \t\n"}) {
    SplitDocument doc = split(text);
    ASSERT_EQ(doc.sections.size(), 1u) << text;
    EXPECT_EQ(doc.sections[0].name, "Songs") << text;
  }
  SplitDocument indented = split("  # Songs\n");
  EXPECT_TRUE(indented.sections.empty());
  EXPECT_EQ(indented.header, (Lines{"  # Songs"}));
}

TEST(SplitDocument, EntryLineIsTheFileLineOfItsFirstNonBlankBodyLine) {
  std::string text;
  for (int i = 1; i <= 9; ++i) text += i == 1 ? "# Layers\n" : "\n";
  text += "## lead\n\npiano 0 60 1\n\n";
  SplitDocument doc = split(text);
  ASSERT_EQ(doc.sections[0].instances.size(), 1u);
  const Instance& lead = doc.sections[0].instance(0);
  EXPECT_EQ(lead.line, 12u);
  EXPECT_EQ(lead.lines, (Lines{"piano 0 60 1"}));
}

TEST(SplitDocument, NestedBlocksBecomeChildren) {
  SplitDocument doc = split("# A\n## b\n### c\n## d\ntext\n");
  const SectionBlock& a = doc.sections[0];
  ASSERT_EQ(a.instances.size(), 2u);
  EXPECT_EQ(a.instance(0).name, "b");
  ASSERT_EQ(a.instance(0).children.size(), 1u);
  EXPECT_EQ(a.nodes[a.instance(0).children[0]].name, "c");
  EXPECT_EQ(a.instance(1).name, "d");
  EXPECT_EQ(a.instance(1).lines, (Lines{"text"}));
}

TEST(SplitDocument, PreambleAndAllBlankBlocksAreTrimmed) {
  SplitDocument doc = split("# S\n\n stray \n\n## e\n\n\n## f\nx\n");
  const SectionBlock& s = doc.sections[0];
  EXPECT_EQ(s.lines, (Lines{" stray "}));
  EXPECT_TRUE(s.instance(0).lines.empty());
  EXPECT_EQ(s.instance(0).line, 8u);  // moved past both blank lines
}

TEST(SplitDocument, UnicodeSpaceLinesAreBlank) {
  SplitDocument doc = split("# S\n## e\n\u00a0\u3000\nx\n\u2028\n");
  EXPECT_EQ(doc.sections[0].instance(0).lines, (Lines{"x"}));
  EXPECT_EQ(doc.sections[0].instance(0).line, 4u);
}

TEST(SplitDocument, HeaderThatSkipsALevelFails) {
  for (std::string_view text : {"# A\n### c\n", "## b\n", "# A\n## b\n#### d\n"}) {
    auto doc = split_document(text);
    ASSERT_FALSE(doc.has_value()) << text;
    EXPECT_EQ(doc.error().text(), "subheader without an enclosing header");
  }
}

TEST(SplitDocument, EmptyTitlesAndRepeatedSectionsAreKept) {
  SplitDocument doc = split("#\n##\n# S\n# S\n");
  ASSERT_EQ(doc.sections.size(), 3u);
  EXPECT_EQ(doc.sections[0].name, "");
  EXPECT_EQ(doc.sections[0].instance(0).name, "");
}

TEST(SplitDocument, DeepNestingStaysFlat) {
  std::string text;
  for (int level = 1; level <= 3000; ++level) text += std::string(level, '#') + " t\nline\n";
  SplitDocument doc = split(text);
  ASSERT_EQ(doc.sections.size(), 1u);
  EXPECT_EQ(doc.sections[0].nodes.size(), 2999u);
  EXPECT_EQ(doc.sections[0].nodes.back().lines, (Lines{"line"}));
}

TEST(RejectStrayMeta, OnlyDirectiveAndBlankLinesPass) {
  EXPECT_TRUE(reject_stray_meta({"", "  @import x", "@tempo 3", " \t"}).has_value());
  auto stray = reject_stray_meta({"@import x", "  prose here  "});
  ASSERT_FALSE(stray.has_value());
  EXPECT_EQ(stray.error().text(), "line outside any section: prose here");
}

}  // namespace
}  // namespace lyre::docformat
