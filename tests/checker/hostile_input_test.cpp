// Inputs built to break a checker: deep nesting, long chains and cycles,
// huge lines and tokens, odd bytes and odd files. Each must end quickly with
// its verdict line. The inputs are generated here, never committed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "checker/run_binary_test_support.h"
#include "checker/temp_tree_test_support.h"
#include "docformat/text.h"

namespace lyre {
namespace {

using test_support::file;
using test_support::TreeItem;

constexpr int kTimeoutMs = 120000;

struct Hostile {
  std::vector<TreeItem> files;
  std::vector<std::string> args;
};

// Runs the command and returns its standard output; the status must match
// whether the output holds a FAIL line.
std::string run(const Hostile& input) {
  test_support::TempTree tree;
  EXPECT_TRUE(tree.add_all(input.files));
  auto result = test_support::run_binary(LYRELINT_BIN, input.args, tree.root(), kTimeoutMs);
  const bool failed = result.out.find("FAIL ") != std::string::npos;
  EXPECT_EQ(result.status, failed ? 1 : 0) << result.err.substr(0, 2000);
  return result.out;
}

std::string ok(const std::string& path, int songs, int sounds, int notes) {
  return cat("ok   ", path, ": ", std::to_string(songs), " songs, ", std::to_string(sounds),
             " sounds, ", std::to_string(notes), " notes\n");
}

std::string repeat(std::string_view piece, std::size_t times) {
  std::string out;
  out.reserve(piece.size() * times);
  for (std::size_t i = 0; i < times; ++i) out += piece;
  return out;
}

TEST(HostileInput, DeeplyNestedHeadersSplitInLinearTime) {
  std::string text = "# Songs\n## s\n";
  for (int level = 3; level <= 3000; ++level) text += std::string(level, '#') + " deeper\nline\n";
  text += repeat("text under the deepest header\n", 100000);
  EXPECT_EQ(run({{file("deep.track", text)}, {"deep.track"}}),
            ok("deep.track", 1, 0, 0) + "all 1 tracks ok\n");
}

TEST(HostileInput, MillionLayerSubtrackChainNeedsNoDeepStack) {
  const int length = 1000000;
  std::string text = "# Songs\n## s\n@layer l0\n# Layers\n";
  text.reserve(static_cast<std::size_t>(length) * 28);
  for (int i = 0; i < length; ++i) {
    text += cat("## l", std::to_string(i), "\nsubtrack l", std::to_string(i + 1), " 0\n");
  }
  text += cat("## l", std::to_string(length), "\nharp 0 1 1\n");
  EXPECT_EQ(run({{file("chain.track", text)}, {"chain.track"}}),
            cat("FAIL chain.track: unknown sounds: l", std::to_string(length), ":harp\n"));
}

TEST(HostileInput, LayersPlacingEachOtherInACycleEnd) {
  const std::string text =
      "# Songs\n## s\n@layer a\n# Layers\n## a\nsubtrack b 0\nharp 0 1 1\n## b\nsubtrack a 0\n";
  EXPECT_EQ(run({{file("cycle.track", text)}, {"cycle.track"}}),
            "FAIL cycle.track: unknown sounds: a:harp\n");
}

TEST(HostileInput, ImportChainsCyclesAndRepeats) {
  std::vector<TreeItem> files;
  const int length = 2000;
  for (int i = 0; i < length; ++i) {
    files.push_back(file(cat("f", std::to_string(i), ".track"),
                         cat("@import f", std::to_string(i + 1), ".track\n# Sounds\n## s",
                             std::to_string(i), "\n")));
  }
  files.push_back(file(cat("f", std::to_string(length), ".track"), "@import f0.track\n"));
  files.push_back(file("self.track", "@import self.track\n# Sounds\n## own\n"));
  files.push_back(file("many.track", repeat("@import self.track\n", 10000)));
  EXPECT_EQ(run({files, {"f0.track", "self.track", "many.track"}}),
            ok("f0.track", 0, length, 0) + ok("many.track", 0, 1, 0) + ok("self.track", 0, 1, 0) +
                "all 3 tracks ok\n");
}

TEST(HostileInput, HugeEqualTuningsStayBounded) {
  const std::string head = "# Tunings\n## t\n";
  EXPECT_EQ(run({{file("a.track", head + "equal 65536\n"), file("b.track", head + "equal 65537\n"),
                  file("c.track", head + "equal 18446744073709551615\n"),
                  file("d.track", head + "equal 18446744073709551616\n"),
                  file("e.track", "# Tunings\n" + repeat("## t\nequal 65536\n", 100000))},
                 {"a.track", "b.track", "c.track", "d.track", "e.track"}}),
            ok("a.track", 0, 0, 0) +
                "FAIL b.track: parse: line 3: line 1: step count '65537' is too large (at most "
                "65536)\n"
                "FAIL c.track: parse: line 3: line 1: step count '18446744073709551615' is too "
                "large (at most 65536)\n"
                "FAIL d.track: parse: line 3: line 1: invalid step count "
                "'18446744073709551616'\n" +
                ok("e.track", 0, 0, 0));
}

TEST(HostileInput, HugeLinesAndTokens) {
  const std::string song = "# Songs\n## s\n@layer l\n# Layers\n## l\n";
  const std::string token(10 * 1024 * 1024, 'x');
  const std::string out = run({{file("line.track", std::string(50 * 1024 * 1024, 'p') + "\n"),
                                file("directives.track", song + repeat("@mute 1 ", 1000000) + "\n"),
                                file("token.track", song + "piano " + token + " 60 1\n")},
                               {"line.track", "directives.track", "token.track"}});
  // Compared without printing: a mismatch would dump megabytes.
  EXPECT_TRUE(out == ok("directives.track", 1, 0, 0) + ok("line.track", 0, 0, 0) +
                         "FAIL token.track: parse: line 6: line 1: invalid number for start: '" +
                         token + "'\n")
      << out.substr(0, 300);
}

TEST(HostileInput, OddBytes) {
  EXPECT_EQ(run({{file("nul.track", std::string("prose\0here\n# Sounds\n## a\0b\nsine 1\n", 33)),
                  file("start.track", "\xC3(# Sounds\n"),
                  file("middle.track", "# Sounds\n\xED\xA0\x80\n"),
                  file("end.track", "# Sounds\n## a\n\xF0\x9F\x8E"),
                  file("cr.track", "# Sounds\r## a\rsine 1\r"),
                  file("crlf.track", "# Sounds\r\n## a\r\nsine 1\r\n"),
                  file("marks.track", repeat("#\n", 100000)),
                  file("deepmark.track", std::string(1000000, '#') + "\n")},
                 {"nul.track", "start.track", "middle.track", "end.track", "cr.track", "crlf.track",
                  "marks.track", "deepmark.track"}}),
            ok("cr.track", 0, 0, 0) + ok("crlf.track", 0, 1, 0) +
                "FAIL deepmark.track: parse: subheader without an enclosing header\n" +
                "FAIL end.track: read: invalid UTF-8 on line 3\n" + ok("marks.track", 0, 0, 0) +
                "FAIL middle.track: read: invalid UTF-8 on line 2\n" + ok("nul.track", 0, 1, 0) +
                "FAIL start.track: read: invalid UTF-8 on line 1\n");
}

TEST(HostileInput, OddFilesAndTrees) {
  using test_support::dir;
  using test_support::fifo;
  using test_support::symlink;
  EXPECT_EQ(
      run({{file("tree/a/x.track", ""), symlink("tree/a/up", ".."), symlink("tree/a/top", "../.."),
            symlink("tree/dangling.track", "nowhere"), fifo("tree/pipe.track")},
           {"tree", "/dev/null"}}),
      ok("/dev/null", 0, 0, 0) + ok("tree/a/x.track", 0, 0, 0) +
          "FAIL tree/dangling.track: read: No such file or directory\n"
          "FAIL tree/pipe.track: read: not a regular file\n");
}

}  // namespace
}  // namespace lyre
