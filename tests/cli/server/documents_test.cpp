#include "cli/server/documents.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lyre::server {
namespace {

std::string joined(const std::vector<std::string>& uris) {
  std::string out;
  for (const std::string& uri : uris) out += (out.empty() ? "" : " ") + uri;
  return out;
}

const std::string root = "file:///lyre-documents/";

TEST(DocumentsTest, ImportersThroughOtherOpenDocuments) {
  Documents documents;
  documents.open(root + "a.track", "# Sounds\n");
  documents.open(root + "b.track", "@import a.track\n# Songs\n");
  documents.open(root + "c.track", "@import std:drums\n@import .//b.track as kit\n");
  documents.open(root + "d.track", "# Songs\n@import a.track\n");
  documents.open("untitled:1", "@import /lyre-documents/a.track\n");
  // d's line is in a section, and an untitled document has no file to import.
  EXPECT_EQ(joined(documents.importers_of(root + "a.track")), root + "b.track " + root + "c.track");
  EXPECT_EQ(joined(documents.importers_of(root + "c.track")), "");
  EXPECT_EQ(joined(documents.importers_of("untitled:1")), "");
  EXPECT_EQ(joined(documents.importers_of(root + "missing.track")), "");
}

TEST(DocumentsTest, ImportersInACycleEachOnce) {
  Documents documents;
  documents.open(root + "a.track", "@import c.track\r\n");
  documents.open(root + "b.track", "@import a.track\n");
  documents.open(root + "c.track", "@import b.track\n");
  EXPECT_EQ(joined(documents.importers_of(root + "a.track")), root + "b.track " + root + "c.track");
}

TEST(DocumentsTest, FindsByPathAsImportsResolve) {
  Documents documents;
  documents.open(root + "a%20b.track", "text");
  const OpenDocument* found = documents.find_by_path("/lyre-documents/./a b.track");
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found->uri, root + "a%20b.track");
  EXPECT_EQ(documents.find_by_path("/lyre-documents/a.track"), nullptr);
}

TEST(DocumentsTest, ChangesApplyInOrder) {
  Documents documents;
  documents.open("u", "abc");
  OpenDocument* document = documents.find("u");
  ASSERT_NE(document, nullptr);
  const std::vector<TextChange> changes = {{Range{{0, 3}, {0, 3}}, "\ndef"},
                                           {Range{{1, 0}, {1, 1}}, "D"},
                                           {std::nullopt, "x"},
                                           {Range{{0, 1}, {0, 1}}, "y"}};
  EXPECT_TRUE(documents.change(*document, changes, PositionEncoding::Utf16));
  EXPECT_EQ(document->text, "xy");
}

TEST(DocumentsTest, TextsStayWithinTheirBound) {
  Documents documents(10);
  EXPECT_TRUE(documents.open("a", "12345"));
  EXPECT_FALSE(documents.open("b", "123456"));
  EXPECT_EQ(documents.find("b"), nullptr);
  EXPECT_TRUE(documents.open("a", "1234567890"));  // replacing frees the old text
  OpenDocument* a = documents.find("a");
  EXPECT_FALSE(documents.change(*a, {{Range{{0, 0}, {0, 10}}, "x"}}, PositionEncoding::Utf16));
  EXPECT_EQ(a->text, "1234567890");
  EXPECT_TRUE(documents.change(*a, {{std::nullopt, "x"}}, PositionEncoding::Utf16));
  EXPECT_TRUE(documents.open("b", "123456789"));
  documents.close("b");
  documents.close("a");
  EXPECT_TRUE(documents.open("b", "0123456789"));
}

}  // namespace
}  // namespace lyre::server
