#include "track/format/source/read_text.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "checker/temp_tree_test_support.h"

namespace lyre {
namespace {

using test_support::dir;
using test_support::fifo;
using test_support::file;
using test_support::symlink;
using test_support::TempTree;
using test_support::TreeItem;

std::string describe(const std::expected<std::string, std::string>& result) {
  return result ? "text: " + *result : "error: " + result.error();
}

struct ReadCase {
  const char* name;
  std::vector<TreeItem> tree;
  std::string path;  // relative to the tree, unless it starts with '/'
  bool regular_only;
  std::string expected;  // as described above
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

class ReadTextTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadTextTest, ReadsUtf8Text) {
  const ReadCase& c = GetParam();
  TempTree tree;
  ASSERT_FALSE(tree.root().empty());
  ASSERT_TRUE(tree.add_all(c.tree));
  const std::string path = c.path.starts_with('/') ? c.path : tree.at(c.path);
  EXPECT_EQ(describe(read_text(path, c.regular_only)), c.expected);
}

ReadCase text_case(const char* name, std::string content, std::string expected) {
  return {name, {file("f.track", std::move(content))}, "f.track", true, std::move(expected)};
}

const std::string long_ascii = "0123456789abcdefghij";  // longer than one 8-byte block

INSTANTIATE_TEST_SUITE_P(
    Contents, ReadTextTest,
    ::testing::Values(
        text_case("Empty", "", "text: "),
        text_case("Ascii", "# Songs\n## intro\n", "text: # Songs\n## intro\n"),
        text_case("NulBytesAreText", std::string("a\0b", 3), std::string("text: a\0b", 9)),
        text_case("EveryLength", "$ \xC2\xA2 \xE2\x82\xAC \xF0\x90\x8D\x88",
                  "text: $ \xC2\xA2 \xE2\x82\xAC \xF0\x90\x8D\x88"),
        text_case("Boundaries",
                  "\x7F \xDF\xBF \xED\x9F\xBF \xEE\x80\x80 \xEF\xBF\xBF \xF4\x8F\xBF\xBF",
                  "text: \x7F \xDF\xBF \xED\x9F\xBF \xEE\x80\x80 \xEF\xBF\xBF \xF4\x8F\xBF\xBF"),
        text_case("BomDropped", "\xEF\xBB\xBF# Songs\n", "text: # Songs\n"),
        text_case("BomAlone", "\xEF\xBB\xBF", "text: "),
        text_case("OnlyOneBomDropped", "\xEF\xBB\xBF\xEF\xBB\xBFx", "text: \xEF\xBB\xBFx"),
        text_case("LaterBomKept", "a\xEF\xBB\xBF", "text: a\xEF\xBB\xBF"),
        text_case("InvalidFirstByte", "\xFF\n", "error: invalid UTF-8 on line 1"),
        text_case("InvalidMiddleLine", "# Songs\n## caf\xE9\n@layer x\n",
                  "error: invalid UTF-8 on line 2"),
        text_case("InvalidLastLine", "a\nb\nc\xE2\x82", "error: invalid UTF-8 on line 3"),
        text_case("InvalidAfterLastNewline", "a\n\n\x80", "error: invalid UTF-8 on line 3"),
        text_case("TruncatedBeforeNewline", "a\n\xE2\x82\nb", "error: invalid UTF-8 on line 2"),
        text_case("FirstOfTwo", "\xC3(\n\xFF", "error: invalid UTF-8 on line 1"),
        text_case("InvalidAfterLongAscii", long_ascii + "\n" + long_ascii + "\xC0\xAF",
                  "error: invalid UTF-8 on line 2"),
        text_case("InvalidInsideAsciiBlock", long_ascii + "\n\n\nab\x80" + long_ascii,
                  "error: invalid UTF-8 on line 4"),
        text_case("NewlinesInLongAscii", "\n\n\n\n\n\n\n\n\n\n\xF5\x80\x80\x80",
                  "error: invalid UTF-8 on line 11"),
        text_case("OverlongTwoBytes", "\xC1\xBF", "error: invalid UTF-8 on line 1"),
        text_case("OverlongThreeBytes", "\xE0\x9F\xBF", "error: invalid UTF-8 on line 1"),
        text_case("OverlongFourBytes", "\xF0\x8F\xBF\xBF", "error: invalid UTF-8 on line 1"),
        text_case("Surrogate", "x\n\xED\xA0\x80", "error: invalid UTF-8 on line 2"),
        text_case("AboveMaximum", "\xF4\x90\x80\x80", "error: invalid UTF-8 on line 1"),
        text_case("LoneContinuation", "ok\n\xBF", "error: invalid UTF-8 on line 2"),
        text_case("MissingContinuation", "\xF0\x9F\x98x", "error: invalid UTF-8 on line 1"),
        // An invalid BOM-like prefix is not dropped: it is invalid text.
        text_case("BrokenBom", "\xEF\xBB", "error: invalid UTF-8 on line 1")),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Paths, ReadTextTest,
    ::testing::Values(
        ReadCase{"MissingNamed", {}, "missing.track", false, "error: No such file or directory"},
        ReadCase{"MissingWalked", {}, "missing.track", true, "error: No such file or directory"},
        ReadCase{"DanglingLink",
                 {symlink("x.track", "missing.track")},
                 "x.track",
                 true,
                 "error: No such file or directory"},
        ReadCase{"LinkToFile",
                 {file("a.track", "# Songs\n"), symlink("x.track", "a.track")},
                 "x.track",
                 true,
                 "text: # Songs\n"},
        ReadCase{
            "NotADirectoryOnTheWay", {file("a", "")}, "a/x.track", true, "error: Not a directory"},
        ReadCase{"DirectoryWalked", {dir("d.track")}, "d.track", true, "error: Is a directory"},
        ReadCase{"DirectoryNamed", {dir("d.track")}, "d.track", false, "error: Is a directory"},
        ReadCase{"FifoWalked", {fifo("x.track")}, "x.track", true, "error: not a regular file"},
        ReadCase{"NulInPath",
                 {file("a", "x")},
                 std::string("a\0b", 3),
                 false,
                 "error: Invalid argument"},
        ReadCase{"NulInWalkedPath",
                 {file("a", "x")},
                 std::string("a\0b", 3),
                 true,
                 "error: Invalid argument"},
        ReadCase{"DevNullNamed", {}, "/dev/null", false, "text: "},
        ReadCase{"DevNullWalked", {}, "/dev/null", true, "error: not a regular file"}),
    [](const auto& info) { return std::string(info.param.name); });

// A path named on the command line may be a pipe; it is read to its end.
TEST(ReadTextPipeTest, ReadsAPipeToItsEnd) {
  int ends[2];
  ASSERT_EQ(::pipe(ends), 0);
  const std::string text = "# Songs\n## intro\n";
  ASSERT_EQ(::write(ends[1], text.data(), text.size()), static_cast<ssize_t>(text.size()));
  ::close(ends[1]);
  const auto read = read_text("/proc/self/fd/" + std::to_string(ends[0]), false);
  ::close(ends[0]);
  EXPECT_EQ(describe(read), "text: " + text);
}

// Larger than one read: the whole file comes back.
TEST(ReadTextSizeTest, ReadsLargeFilesWhole) {
  TempTree tree;
  ASSERT_FALSE(tree.root().empty());
  std::string content;
  for (int i = 0; content.size() < 300000; ++i)
    content += "line " + std::to_string(i) + " \xC3\xA9\n";
  ASSERT_TRUE(tree.add(file("big.track", content)));
  const auto read = read_text(tree.at("big.track"), true);
  ASSERT_TRUE(read.has_value()) << read.error();
  EXPECT_EQ(*read, content);
}

}  // namespace
}  // namespace lyre
