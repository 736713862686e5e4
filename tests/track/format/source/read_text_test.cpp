#include "track/format/source/read_text.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <expected>
#include <string>
#include <utility>
#include <vector>

#include "checker/temp_tree_test_support.h"
#include "table_runner_test_support.h"

namespace lyre {
namespace {

using test_support::dir;
using test_support::expect_rows;
using test_support::Fails;
using test_support::fifo;
using test_support::file;
using test_support::symlink;
using test_support::TempTree;
using test_support::TreeItem;

std::string describe(const std::expected<std::string, std::string>& result) {
  return result ? std::string("text: ") + *result : std::string("error: ") + result.error();
}

// The files to make, then the path read: relative to the tree unless it
// starts with '/'.
struct Setup {
  std::vector<TreeItem> tree;
  std::string path;
  bool regular_only;
};
using Row = test_support::Row<Setup, std::string>;

std::expected<std::string, std::string> read_in_tree(const Setup& setup) {
  TempTree tree;
  if (tree.root().empty() || !tree.add_all(setup.tree)) {
    return std::unexpected(std::string("the tree could not be made"));
  }
  const std::string path = setup.path.starts_with('/') ? setup.path : tree.at(setup.path);
  return read_text(path, setup.regular_only);
}

// A walked file holding `content`.
Setup holding(std::string content) {
  return {{file("f.track", std::move(content))}, "f.track", true};
}

const std::string long_ascii = "0123456789abcdefghij";  // longer than one 8-byte block

TEST(ReadText, ReadsUtf8Text) {
  const std::vector<Row> rows = {
      {"empty", holding(""), ""},
      {"ASCII", holding("# Songs\n## intro\n"), "# Songs\n## intro\n"},
      {"NUL bytes are text", holding(std::string("a\0b", 3)), std::string("a\0b", 3)},
      {"every length", holding("$ \xC2\xA2 \xE2\x82\xAC \xF0\x90\x8D\x88"),
       "$ \xC2\xA2 \xE2\x82\xAC \xF0\x90\x8D\x88"},
      {"boundaries",
       holding("\x7F \xDF\xBF \xED\x9F\xBF \xEE\x80\x80 \xEF\xBF\xBF \xF4\x8F\xBF\xBF"),
       "\x7F \xDF\xBF \xED\x9F\xBF \xEE\x80\x80 \xEF\xBF\xBF \xF4\x8F\xBF\xBF"},
      {"BOM dropped", holding("\xEF\xBB\xBF# Songs\n"), "# Songs\n"},
      {"BOM alone", holding("\xEF\xBB\xBF"), ""},
      {"only one BOM dropped", holding("\xEF\xBB\xBF\xEF\xBB\xBFx"), "\xEF\xBB\xBFx"},
      {"later BOM kept", holding("a\xEF\xBB\xBF"), "a\xEF\xBB\xBF"},
      {"invalid first byte", holding("\xFF\n"), Fails{"invalid UTF-8 on line 1"}},
      {"invalid middle line", holding("# Songs\n## caf\xE9\n@layer x\n"),
       Fails{"invalid UTF-8 on line 2"}},
      {"invalid last line", holding("a\nb\nc\xE2\x82"), Fails{"invalid UTF-8 on line 3"}},
      {"invalid after last newline", holding("a\n\n\x80"), Fails{"invalid UTF-8 on line 3"}},
      {"truncated before newline", holding("a\n\xE2\x82\nb"), Fails{"invalid UTF-8 on line 2"}},
      {"first of two", holding("\xC3(\n\xFF"), Fails{"invalid UTF-8 on line 1"}},
      {"invalid after long ASCII", holding(long_ascii + "\n" + long_ascii + "\xC0\xAF"),
       Fails{"invalid UTF-8 on line 2"}},
      {"invalid inside an ASCII block", holding(long_ascii + "\n\n\nab\x80" + long_ascii),
       Fails{"invalid UTF-8 on line 4"}},
      {"newlines in long ASCII", holding("\n\n\n\n\n\n\n\n\n\n\xF5\x80\x80\x80"),
       Fails{"invalid UTF-8 on line 11"}},
      {"overlong two bytes", holding("\xC1\xBF"), Fails{"invalid UTF-8 on line 1"}},
      {"overlong three bytes", holding("\xE0\x9F\xBF"), Fails{"invalid UTF-8 on line 1"}},
      {"overlong four bytes", holding("\xF0\x8F\xBF\xBF"), Fails{"invalid UTF-8 on line 1"}},
      {"surrogate", holding("x\n\xED\xA0\x80"), Fails{"invalid UTF-8 on line 2"}},
      {"above the maximum", holding("\xF4\x90\x80\x80"), Fails{"invalid UTF-8 on line 1"}},
      {"lone continuation", holding("ok\n\xBF"), Fails{"invalid UTF-8 on line 2"}},
      {"missing continuation", holding("\xF0\x9F\x98x"), Fails{"invalid UTF-8 on line 1"}},
      // An invalid BOM-like prefix is not dropped: it is invalid text.
      {"broken BOM", holding("\xEF\xBB"), Fails{"invalid UTF-8 on line 1"}},
  };
  expect_rows(rows, read_in_tree);
}

TEST(ReadText, GivesTheErrorOfThePath) {
  const std::vector<Row> rows = {
      {"missing, named", {{}, "missing.track", false}, Fails{"No such file or directory"}},
      {"missing, walked", {{}, "missing.track", true}, Fails{"No such file or directory"}},
      {"dangling link",
       {{symlink("x.track", "missing.track")}, "x.track", true},
       Fails{"No such file or directory"}},
      {"link to a file",
       {{file("a.track", "# Songs\n"), symlink("x.track", "a.track")}, "x.track", true},
       "# Songs\n"},
      {"not a directory on the way",
       {{file("a", "")}, "a/x.track", true},
       Fails{"Not a directory"}},
      {"directory, walked", {{dir("d.track")}, "d.track", true}, Fails{"Is a directory"}},
      {"directory, named", {{dir("d.track")}, "d.track", false}, Fails{"Is a directory"}},
      {"FIFO, walked", {{fifo("x.track")}, "x.track", true}, Fails{"not a regular file"}},
      {"NUL in the path, named",
       {{file("a", "x")}, std::string("a\0b", 3), false},
       Fails{"Invalid argument"}},
      {"NUL in the path, walked",
       {{file("a", "x")}, std::string("a\0b", 3), true},
       Fails{"Invalid argument"}},
      {"/dev/null, named", {{}, "/dev/null", false}, ""},
      {"/dev/null, walked", {{}, "/dev/null", true}, Fails{"not a regular file"}},
  };
  expect_rows(rows, read_in_tree);
}

// A path named on the command line may be a pipe; it is read to its end.
TEST(ReadTextPipeTest, ReadsAPipeToItsEnd) {
  int ends[2];
  ASSERT_EQ(::pipe(ends), 0);
  const std::string text = "# Songs\n## intro\n";
  ASSERT_EQ(::write(ends[1], text.data(), text.size()), static_cast<ssize_t>(text.size()));
  ::close(ends[1]);
  const auto read = read_text("/proc/self/fd/" + std::to_string(ends[0]), false);
  ::close(ends[0]);
  EXPECT_EQ(describe(read), std::string("text: ") + text);
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
