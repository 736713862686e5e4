#include "checker/path_order.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace lyre {
namespace {

struct LessCase {
  const char* name;
  std::string a;
  std::string b;
  bool a_first;  // path_less(a, b)
  bool b_first;  // path_less(b, a)
};

void PrintTo(const LessCase& c, std::ostream* os) { *os << c.name; }

class PathLessTest : public ::testing::TestWithParam<LessCase> {};

TEST_P(PathLessTest, OrdersComponentByComponent) {
  const LessCase& c = GetParam();
  EXPECT_EQ(path_less(c.a, c.b), c.a_first);
  EXPECT_EQ(path_less(c.b, c.a), c.b_first);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, PathLessTest,
    ::testing::Values(
        // '-' is a smaller byte than '/', but the component a is a prefix of a-b.track.
        LessCase{"SlashBeforeDash", "a/b.track", "a-b.track", true, false},
        LessCase{"DeeperPathBeforeLongerName", "a/b/c.track", "a/b.track", true, false},
        LessCase{"ShorterComponentFirst", "a/b.track", "a/bc.track", true, false},
        LessCase{"ParentBeforeChild", "a", "a/b", true, false},
        LessCase{"Identical", "a/b.track", "a/b.track", false, false},
        LessCase{"RepeatedSlashesAreOne", "a//b.track", "a/b.track", false, false},
        LessCase{"TrailingSlashAddsNothing", "a/b/", "a/b", false, false},
        LessCase{"RootBeforeRelative", "/z.track", "a.track", true, false},
        LessCase{"RootBeforeDotRelative", "/z.track", "./a.track", true, false},
        LessCase{"RootedPathsByComponent", "/a/b.track", "/a-b.track", true, false},
        LessCase{"RootAloneFirst", "/", "/a", true, false},
        LessCase{"DotIsAComponent", "./x.track", "x.track", true, false},
        LessCase{"InnerDotIsAComponent", "a/./b.track", "a/b.track", true, false},
        LessCase{"DotDotIsAComponent", "../z.track", "a.track", true, false},
        LessCase{"UpperCaseBytesFirst", "B.track", "a.track", true, false},
        LessCase{"BytesCompareUnsigned", "z.track", "\xC3\xA9.track", true, false},
        LessCase{"InvalidByteAfterAscii", "a.track", "\xFF.track", true, false},
        LessCase{"EmptyPathFirst", "", "a", true, false},
        // Shared leading bytes that end inside a component or a run of slashes.
        LessCase{"SharedPrefixEndsInsideAComponent", "zone/cue10/x.track", "zone/cue1/x.track",
                 false, true},
        LessCase{"SharedPrefixEndsInsideSlashes", "d/a//b.track", "d/a/b.track", false, false},
        LessCase{"SharedPrefixEndsAfterASlashRun", "d//b/c.track", "d//b.track", true, false},
        LessCase{"SharedRootOnly", "/a.track", "//a.track", false, false},
        LessCase{"SharedDirectoryThenDash", "d/e/a/b.track", "d/e/a-b.track", true, false}),
    [](const auto& info) { return std::string(info.param.name); });

struct SortCase {
  const char* name;
  std::vector<CheckedFile> input;
  std::vector<CheckedFile> sorted;
};

void PrintTo(const SortCase& c, std::ostream* os) { *os << c.name; }

class SortPathsTest : public ::testing::TestWithParam<SortCase> {};

TEST_P(SortPathsTest, SortsStably) {
  std::vector<CheckedFile> files = GetParam().input;
  sort_paths(files);
  EXPECT_EQ(files, GetParam().sorted);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, SortPathsTest,
    ::testing::Values(
        SortCase{"Empty", {}, {}},
        SortCase{"ArgumentsReversed",
                 {{"b.track", false}, {"a.track", false}},
                 {{"a.track", false}, {"b.track", false}}},
        SortCase{"WalkAndArguments",
                 {{"d/e.track", true}, {"c.track", false}, {"b.track", false}, {"a.track", false}},
                 {{"a.track", false}, {"b.track", false}, {"c.track", false}, {"d/e.track", true}}},
        SortCase{"NestedComponents",
                 {{"a/bc.track", true}, {"a/b.track", true}, {"a/b/c.track", true}},
                 {{"a/b/c.track", true}, {"a/b.track", true}, {"a/bc.track", true}}},
        // Duplicates stay, in their original order.
        SortCase{"DuplicatesKeepOrder",
                 {{"x.track", false}, {"a.track", false}, {"x.track", true}},
                 {{"a.track", false}, {"x.track", false}, {"x.track", true}}},
        SortCase{"EqualSpellingsKeepOrder",
                 {{"a/b.track", true}, {"a//b.track", false}, {"a/a.track", true}},
                 {{"a/a.track", true}, {"a/b.track", true}, {"a//b.track", false}}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace lyre
