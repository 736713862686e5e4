#include "checker/collect.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "checker/path_order.h"
#include "checker/temp_tree_test_support.h"
#include "track/format/source/read_text.h"

namespace lyre {
namespace {

using test_support::dir;
using test_support::fifo;
using test_support::file;
using test_support::symlink;
using test_support::TempTree;
using test_support::TreeItem;

struct ExtensionCase {
  const char* name;
  std::string entry;
  bool track;
};

void PrintTo(const ExtensionCase& c, std::ostream* os) { *os << c.name; }

class TrackExtensionTest : public ::testing::TestWithParam<ExtensionCase> {};

TEST_P(TrackExtensionTest, ReadsTheTextAfterTheLastDot) {
  EXPECT_EQ(has_track_extension(GetParam().entry), GetParam().track);
}

INSTANTIATE_TEST_SUITE_P(Names, TrackExtensionTest,
                         ::testing::Values(ExtensionCase{"Plain", "x.track", true},
                                           ExtensionCase{"TwoDots", "a.b.track", true},
                                           ExtensionCase{"DotDotPrefix", "..track", true},
                                           ExtensionCase{"HiddenWithExtension", ".x.track", true},
                                           ExtensionCase{"OnlyLeadingDot", ".track", false},
                                           ExtensionCase{"UpperCase", "y.TRACK", false},
                                           ExtensionCase{"MixedCase", "y.Track", false},
                                           ExtensionCase{"OtherExtension", "notes.txt", false},
                                           ExtensionCase{"TrackThenOther", "x.track.bak", false},
                                           ExtensionCase{"NoDot", "track", false},
                                           ExtensionCase{"TrailingDot", "x.track.", false},
                                           ExtensionCase{"LongerExtension", "x.tracks", false},
                                           ExtensionCase{"ShorterExtension", "x.trac", false}),
                         [](const auto& info) { return std::string(info.param.name); });

struct WalkCase {
  const char* name;
  std::vector<TreeItem> tree;
  std::string walk;                 // relative to the tree's root
  std::vector<std::string> listed;  // relative to the tree's root, in path order
};

void PrintTo(const WalkCase& c, std::ostream* os) { *os << c.name; }

class CollectTest : public ::testing::TestWithParam<WalkCase> {};

// Every directory's files form one run of the walk's output: the walk
// finishes a directory before it goes on with the entries of its parent.
bool depth_first(const std::vector<std::string>& paths) {
  for (const std::string& path : paths) {
    for (std::size_t slash = path.find('/'); slash != std::string::npos;
         slash = path.find('/', slash + 1)) {
      const std::string prefix = path.substr(0, slash + 1);
      const auto inside = [&](const std::string& p) { return p.starts_with(prefix); };
      const auto first = std::find_if(paths.begin(), paths.end(), inside);
      const auto after = std::find_if_not(first, paths.end(), inside);
      if (std::find_if(after, paths.end(), inside) != paths.end()) return false;
    }
  }
  return true;
}

TEST_P(CollectTest, ListsTrackFiles) {
  const WalkCase& c = GetParam();
  TempTree tree;
  ASSERT_FALSE(tree.root().empty());
  ASSERT_TRUE(tree.add_all(c.tree));
  std::vector<CheckedFile> files;
  const auto walked = collect(tree.at(c.walk), files);
  ASSERT_TRUE(walked.has_value()) << walked.error();
  std::vector<std::string> found;
  for (const CheckedFile& f : files) {
    EXPECT_TRUE(f.found_by_walk) << f.path;
    ASSERT_TRUE(f.path.starts_with(tree.root() + "/")) << f.path;
    found.push_back(f.path.substr(tree.root().size() + 1));
  }
  EXPECT_TRUE(depth_first(found)) << ::testing::PrintToString(found);
  sort_paths(files);
  std::vector<std::string> sorted;
  for (const CheckedFile& f : files) sorted.push_back(f.path.substr(tree.root().size() + 1));
  EXPECT_EQ(sorted, c.listed);
}

INSTANTIATE_TEST_SUITE_P(
    Trees, CollectTest,
    ::testing::Values(
        WalkCase{"EmptyDirectory", {dir("d")}, "d", {}},
        WalkCase{"NoTrackFile", {file("d/notes.txt", ""), file("d/README", "")}, "d", {}},
        WalkCase{"ExtensionRule",
                 {file("d/x.track", ""), file("d/y.TRACK", ""), file("d/z.Track", ""),
                  file("d/notes.txt", ""), file("d/.track", ""), file("d/..track", ""),
                  file("d/.x.track", ""), file("d/a.b.track", "")},
                 "d",
                 {"d/..track", "d/.x.track", "d/a.b.track", "d/x.track"}},
        WalkCase{"Nested",
                 {file("d/x.track", ""), file("d/sub/z.track", ""), file("d/sub/deep/w.track", ""),
                  file("d/sub/deep/v.txt", ""), file("d/other/u.track", ""), dir("d/empty")},
                 "d",
                 {"d/other/u.track", "d/sub/deep/w.track", "d/sub/z.track", "d/x.track"}},
        WalkCase{"DirectoryNamedTrackIsWalked",
                 {file("d/set.track/one.track", "")},
                 "d",
                 {"d/set.track/one.track"}},
        WalkCase{"TrailingSlashNotDoubled", {file("d/x.track", "")}, "d/", {"d/x.track"}},
        WalkCase{"LinksToFilesAndDirectories",
                 {file("d/a.track", ""), symlink("d/alias.track", "a.track"),
                  symlink("d/skip.txt", "a.track"), file("lib/b.track", ""),
                  symlink("d/other", "../lib")},
                 "d",
                 {"d/a.track", "d/alias.track", "d/other/b.track"}},
        // Not a cycle: the linked directory is not on the walk path when it is reached.
        WalkCase{"TwoLinksToOneSibling",
                 {file("d/lib/b.track", ""), symlink("d/one", "lib"), symlink("d/two", "lib")},
                 "d",
                 {"d/lib/b.track", "d/one/b.track", "d/two/b.track"}},
        WalkCase{"LinksBackToAncestorsEndTheWalk",
                 {file("d/a/b.track", ""), symlink("d/a/up", ".."), symlink("d/a/top", "../../d"),
                  symlink("d/a/self", "."), symlink("d/a/up.track", "..")},
                 "d",
                 {"d/a/b.track"}},
        WalkCase{"CycleThroughTwoLinks",
                 {file("d/p/x.track", ""), file("d/q/y.track", ""), symlink("d/p/to_q", "../q"),
                  symlink("d/q/to_p", "../p")},
                 "d",
                 {"d/p/to_q/y.track", "d/p/x.track", "d/q/to_p/x.track", "d/q/y.track"}},
        WalkCase{
            "WalkStartsAtALink",
            {file("real/x.track", ""), symlink("link", "real"), symlink("real/back", "../link")},
            "link",
            {"link/x.track"}},
        // The read stage reports what is wrong with these.
        WalkCase{"DanglingLinkListed",
                 {symlink("d/x.track", "missing.track"), symlink("d/y.txt", "missing.track")},
                 "d",
                 {"d/x.track"}},
        WalkCase{"FifoListed", {fifo("d/x.track"), fifo("d/y.txt")}, "d", {"d/x.track"}}),
    [](const auto& info) { return std::string(info.param.name); });

struct WalkErrorCase {
  const char* name;
  std::vector<TreeItem> tree;
  std::string walk;
  std::string error;
};

void PrintTo(const WalkErrorCase& c, std::ostream* os) { *os << c.name; }

class CollectErrorTest : public ::testing::TestWithParam<WalkErrorCase> {};

TEST_P(CollectErrorTest, EndsWithTheSystemError) {
  const WalkErrorCase& c = GetParam();
  TempTree tree;
  ASSERT_FALSE(tree.root().empty());
  ASSERT_TRUE(tree.add_all(c.tree));
  std::vector<CheckedFile> files;
  const auto walked = collect(tree.at(c.walk), files);
  ASSERT_FALSE(walked.has_value());
  EXPECT_EQ(walked.error(), c.error);
}

INSTANTIATE_TEST_SUITE_P(
    Trees, CollectErrorTest,
    ::testing::Values(
        WalkErrorCase{"Missing", {}, "nothing", "No such file or directory"},
        WalkErrorCase{"AFile", {file("x.track", "")}, "x.track", "Not a directory"},
        WalkErrorCase{"DanglingLink", {symlink("d", "gone")}, "d", "No such file or directory"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CollectPermissionTest, UnreadableSubdirectoryEndsTheWalk) {
  if (::geteuid() == 0) GTEST_SKIP() << "permissions do not apply to root";
  TempTree tree;
  ASSERT_FALSE(tree.root().empty());
  ASSERT_TRUE(tree.add_all({file("d/x.track", ""), dir("d/locked")}));
  ASSERT_EQ(::chmod(tree.at("d/locked").c_str(), 0), 0);
  std::vector<CheckedFile> files;
  const auto walked = collect(tree.at("d"), files);
  ::chmod(tree.at("d/locked").c_str(), 0700);
  ASSERT_FALSE(walked.has_value());
  EXPECT_EQ(walked.error(), "Permission denied");
}

// A FIFO found by the walk is refused without being opened, so the check
// never waits for a writer.
TEST(CollectThenReadTest, FifoIsNotARegularFile) {
  TempTree tree;
  ASSERT_FALSE(tree.root().empty());
  ASSERT_TRUE(tree.add(fifo("d/x.track")));
  std::vector<CheckedFile> files;
  ASSERT_TRUE(collect(tree.at("d"), files).has_value());
  ASSERT_EQ(files.size(), 1u);
  const auto text = read_text(files[0].path, files[0].found_by_walk);
  ASSERT_FALSE(text.has_value());
  EXPECT_EQ(text.error(), "not a regular file");
}

struct DirectoryCase {
  const char* name;
  std::vector<TreeItem> tree;
  std::string path;
  bool directory;
};

void PrintTo(const DirectoryCase& c, std::ostream* os) { *os << c.name; }

class IsDirectoryTest : public ::testing::TestWithParam<DirectoryCase> {};

TEST_P(IsDirectoryTest, FollowsLinks) {
  const DirectoryCase& c = GetParam();
  TempTree tree;
  ASSERT_FALSE(tree.root().empty());
  ASSERT_TRUE(tree.add_all(c.tree));
  EXPECT_EQ(is_directory(tree.at(c.path)), c.directory);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, IsDirectoryTest,
    ::testing::Values(DirectoryCase{"Directory", {dir("d")}, "d", true},
                      DirectoryCase{"LinkToDirectory", {dir("d"), symlink("l", "d")}, "l", true},
                      DirectoryCase{"File", {file("f.track", "")}, "f.track", false},
                      DirectoryCase{"LinkToFile", {file("f", ""), symlink("l", "f")}, "l", false},
                      DirectoryCase{"Missing", {}, "missing", false},
                      DirectoryCase{"DanglingLink", {symlink("l", "missing")}, "l", false},
                      DirectoryCase{"Fifo", {fifo("p")}, "p", false},
                      DirectoryCase{"NulInPath", {dir("d")}, std::string("d\0x", 3), false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace lyre
