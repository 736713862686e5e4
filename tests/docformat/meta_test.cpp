#include "lyre/docformat/meta/meta.h"

#include <gtest/gtest.h>

#include "docformat/split.h"

namespace lyre::docformat {
namespace {

std::expected<Meta, ParseError> meta_of(std::string_view text) {
  auto doc = split_document(text);
  EXPECT_TRUE(doc.has_value());
  return Meta::from_block(doc->sections.at(0));
}

TEST(Meta, ReadsDirectivesAndSubsections) {
  auto meta = meta_of(
      "# Meta\n@title   Space  Opera \n@author ambry\n## Description\nfirst\n\n  indented\n"
      "## Tags\n a \n\nb\n");
  ASSERT_TRUE(meta.has_value()) << meta.error().text();
  EXPECT_EQ(meta->title, "Space  Opera");
  EXPECT_EQ(meta->author, "ambry");
  EXPECT_EQ(meta->description, "first\n\n  indented");
  EXPECT_EQ(meta->tags, (std::vector<std::string>{"a", "b"}));
}

TEST(Meta, EmptyBlockIsEmptyMeta) {
  auto meta = meta_of("# Meta\n");
  ASSERT_TRUE(meta.has_value());
  EXPECT_EQ(*meta, Meta{});
}

TEST(Meta, LaterValuesReplaceEarlierOnes) {
  auto meta = meta_of("# Meta\n@title a\n@title b\n## Tags\nx\n## Tags\ny\n");
  ASSERT_TRUE(meta.has_value());
  EXPECT_EQ(meta->title, "b");
  EXPECT_EQ(meta->tags, (std::vector<std::string>{"y"}));
}

struct MetaFailure {
  const char* body;
  const char* message;
};

class MetaFailures : public testing::TestWithParam<MetaFailure> {};

TEST_P(MetaFailures, ReportTheirText) {
  auto meta = meta_of(std::string("# Meta\n") + GetParam().body);
  ASSERT_FALSE(meta.has_value());
  EXPECT_EQ(meta.error().text(), GetParam().message);
  const auto& source = std::get<ParseError::Source>(meta.error().kind());
  EXPECT_EQ(source.cause, Cause{GetParam().message});
}

INSTANTIATE_TEST_SUITE_P(
    All, MetaFailures,
    testing::Values(MetaFailure{"@Title x\n", "unknown meta directive '@Title'"},
                    MetaFailure{"@title\n", "meta '@title' needs a value"},
                    MetaFailure{"@nonsense\n", "meta '@nonsense' needs a value"},
                    MetaFailure{"@\n", "meta '@' needs a value"},
                    MetaFailure{"@ x\n", "unknown meta directive '@'"},
                    MetaFailure{"  title x  \n",
                                "expected a '@directive value' line, got 'title x'"},
                    MetaFailure{"## Notes\nx\n", "unknown meta subsection '## Notes'"},
                    MetaFailure{"## Tags\n## \n", "unknown meta subsection '## '"}));

TEST(Meta, DirectivesAreReadBeforeSubsections) {
  auto doc = split_document("# Meta\n@bad x\n## Notes\n");
  auto both = Meta::from_block(doc->sections[0]);
  ASSERT_FALSE(both.has_value());
  EXPECT_EQ(both.error().text(), "unknown meta directive '@bad'");
}

}  // namespace
}  // namespace lyre::docformat
