#include "lyre/docformat/document.h"

#include <gtest/gtest.h>

#include "docformat/parse_document.h"
#include "docformat/text.h"
#include "test_sections.h"

namespace lyre::docformat {
namespace {

using testing::Item;
using testing::Items;
using testing::names;
using Strings = std::vector<std::string>;

std::expected<Document<Items>, ParseError> parse(std::string_view text, bool strict = false) {
  return parse_document<Items>(text, strict);
}

TEST(Document, WithoutHeadersEveryLineIsAHeaderLine) {
  auto doc = parse("one\n\ntwo\n");
  ASSERT_TRUE(doc.has_value());
  EXPECT_EQ(doc->header.size(), 3u);
  EXPECT_EQ(doc->meta, Meta{});
  EXPECT_TRUE(doc->sections.items.entries.empty());
  EXPECT_TRUE(doc->unknown.empty());
}

TEST(Document, TheLastMetaSectionWinsWhole) {
  auto doc = parse("# Meta\n@title a\n@author b\n# Meta\n@title c\n");
  ASSERT_TRUE(doc.has_value());
  EXPECT_EQ(doc->meta.title, "c");
  EXPECT_EQ(doc->meta.author, std::nullopt);
}

TEST(Document, UnknownSectionsAreKeptUnparsed) {
  auto doc = parse("# items\n## x\nbad\n# Drums\nline\n## k\nbad\n");
  ASSERT_TRUE(doc.has_value());
  ASSERT_EQ(doc->unknown.size(), 2u);
  EXPECT_EQ(doc->unknown[0].name, "items");
  EXPECT_EQ(doc->unknown[1].lines, (std::vector<std::string_view>{"line"}));
  EXPECT_EQ(doc->unknown[1].instance(0).lines, (std::vector<std::string_view>{"bad"}));
}

TEST(Document, RepeatedSectionsAccumulateEntriesAndPreambles) {
  auto doc = parse("# Items\np1\n## a\n# Others\n## z\n# Items\np2\n## a\n## b\n");
  ASSERT_TRUE(doc.has_value());
  EXPECT_EQ(names(doc->sections.items), (Strings{"a", "a", "b"}));
  EXPECT_EQ(doc->sections.items.preamble, (std::vector<PreambleLine>{{"p1", 2}, {"p2", 7}}));
  EXPECT_EQ(doc->sections.items.find("a"), &doc->sections.items.entries[0]);
}

TEST(Document, EntryErrorsNameTheFileLine) {
  auto doc = parse("\n# Items\n## a\nx\n## b\n\nok\nbad\n");
  ASSERT_FALSE(doc.has_value());
  EXPECT_EQ(doc.error().text(), "line 8: bad item line");
}

TEST(Document, ChildBlocksAreNotPartOfTheEntry) {
  auto doc = parse("# Items\n## a\nx\n### child\nbad\n");
  ASSERT_TRUE(doc.has_value());
  EXPECT_EQ(doc->sections.items.entries[0].value.refs, (Strings{"x"}));
}

TEST(Document, StrictModeRejectsStrayHeaderLines) {
  EXPECT_TRUE(parse("prose\n# Items\n").has_value());
  auto strict = parse("@import x\nprose\n# Items\n", true);
  ASSERT_FALSE(strict.has_value());
  EXPECT_EQ(strict.error().text(), "line outside any section: prose");
}

Items items_named(std::initializer_list<const char*> list_names) {
  Items record;
  for (const char* name : list_names) record.items.entries.push_back({name, Item{{name}}, {}});
  return record;
}

TEST(SectionList, MergeKeepsTheFirstDefinition) {
  Items mine = items_named({"a", "b"});
  Items incoming = items_named({"b", "c", "c"});
  incoming.items.entries[0].value.refs = {"incoming"};
  incoming.items.preamble = {{"stray", 4}};
  mine.items.merge_first_wins(std::move(incoming.items));
  EXPECT_EQ(names(mine.items), (Strings{"a", "b", "c"}));
  EXPECT_EQ(mine.items.entries[1].value.refs, (Strings{"b"}));
  EXPECT_EQ(mine.items.preamble, (std::vector<PreambleLine>{{"stray", 4}}));
}

TEST(SectionList, CollisionsMapOnlyClashingNames) {
  Items mine = items_named({"kick", "snare"});
  Items incoming = items_named({"kick", "hat"});
  RenameMap map;
  mine.items.collisions(incoming.items, "drums", map);
  EXPECT_EQ(map, (RenameMap{{"kick", "drums::kick"}}));
}

TEST(SectionList, OneMapRenamesEveryListAndEveryReference) {
  Items mine = items_named({"kick"});
  Items incoming = items_named({"kick", "hat"});
  incoming.others.entries.push_back({"kick", Item{{"kick", "hat"}}, {}});
  incoming.items.entries[1].value.refs = {"kick"};
  mine.qualify_collisions(incoming, "kit");
  EXPECT_EQ(names(incoming.items), (Strings{"kit::kick", "hat"}));
  EXPECT_EQ(incoming.items.entries[1].value.refs, (Strings{"kit::kick"}));
  EXPECT_EQ(names(incoming.others), (Strings{"kit::kick"}));
  EXPECT_EQ(incoming.others.entries[0].value.refs, (Strings{"kit::kick", "hat"}));
  EXPECT_EQ(incoming.items.find("kick"), nullptr);
  EXPECT_NE(incoming.items.find("kit::kick"), nullptr);
}

TEST(SectionList, LookupsStayLinearForLargeLists) {
  Items mine, incoming;
  for (int i = 0; i < 100000; ++i) {
    mine.items.entries.push_back({cat("m", std::to_string(i)), Item{}, {}});
    incoming.items.entries.push_back({cat("m", std::to_string(i * 2)), Item{}, {}});
  }
  RenameMap map;
  mine.items.collisions(incoming.items, "x", map);
  EXPECT_EQ(map.size(), 50000u);
  mine.items.merge_first_wins(std::move(incoming.items));
  EXPECT_EQ(mine.items.entries.size(), 150000u);
}

TEST(Rename, ReplacesOnlyMappedNames) {
  RenameMap map{{"pad", "lib::pad"}};
  std::string hit = "pad", miss = "Pad";
  std::optional<std::string> none;
  rename(hit, map);
  rename(miss, map);
  rename(none, map);
  EXPECT_EQ(hit, "lib::pad");
  EXPECT_EQ(miss, "Pad");
  EXPECT_EQ(none, std::nullopt);
}

}  // namespace
}  // namespace lyre::docformat
