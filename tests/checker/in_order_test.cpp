// Files checked on several threads: results in file order, memory bounded by
// a window, and the same report as a run on one processor.
#include "checker/in_order.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "checker/run_binary_test_support.h"
#include "checker/temp_tree_test_support.h"

namespace lyre {
namespace {

struct Counted {
  static inline std::atomic<int> made{0};
  Counted() { ++made; }
};

struct OrderCase {
  std::size_t count;
  unsigned threads;
};

TEST(RunInOrder, HandsOverEveryResultInIndexOrder) {
  for (const OrderCase c : {OrderCase{0, 1}, OrderCase{0, 4}, OrderCase{1, 2}, OrderCase{7, 1},
                            OrderCase{500, 2}, OrderCase{500, 8}, OrderCase{3, 64}}) {
    SCOPED_TRACE(testing::Message() << c.count << " items on " << c.threads << " threads");
    Counted::made = 0;
    std::atomic<std::size_t> begun{0};
    std::size_t most_waiting = 0;
    std::vector<std::size_t> taken;
    run_in_order<Counted>(
        c.count, c.threads,
        [&](Counted&, std::size_t i) {
          ++begun;
          // Later items finish sooner, so results arrive out of order.
          if (i % 5 == 0) std::this_thread::sleep_for(std::chrono::microseconds(200));
          return i;
        },
        [&](std::size_t i) {
          most_waiting = std::max(most_waiting, begun.load() - taken.size());
          taken.push_back(i);
        });
    std::vector<std::size_t> expected(c.count);
    for (std::size_t i = 0; i < c.count; ++i) expected[i] = i;
    EXPECT_EQ(taken, expected);
    const std::size_t threads = std::max<std::size_t>(std::min<std::size_t>(c.threads, c.count), 1);
    EXPECT_LE(static_cast<std::size_t>(Counted::made), threads);
    EXPECT_LE(most_waiting, 17 * threads);
  }
}

TEST(RunInOrder, UsesAtLeastOneThread) { EXPECT_GE(usable_threads(), 1u); }

// A project of many files, some failing in each stage, some importing
// others: the report is the same byte for byte on every processor as on one.
TEST(LyrelintInParallel, PrintsWhatOneProcessorPrints) {
  const std::string taskset = "/usr/bin/taskset";
  if (!std::filesystem::exists(taskset)) GTEST_SKIP() << "no taskset to run on one processor";
  test_support::TempTree tree;
  std::vector<test_support::TreeItem> files;
  files.push_back(test_support::file("lib/kit.track", "# Sounds\n## thud\nsine@0.5 1\n"));
  for (int i = 0; i < 400; ++i) {
    const std::string name = "songs/" + std::to_string(i % 7) + "/s" + std::to_string(i) + ".track";
    std::string text = "# Songs\n## s\n@layer beat\n# Sounds\n## kick\nsine 1\n# Layers\n## beat\n";
    for (int n = 0; n < (i * 37) % 300; ++n) text += "kick " + std::to_string(n) + " 60 1\n";
    switch (i % 6) {
      case 1:
        text += "bad line\n";
        break;
      case 2:
        text = "@import ../../lib/kit.track\n" + text + "thud 0 60 1\n";
        break;
      case 3:
        text = "@import gone.track\n" + text;
        break;
      case 4:
        text += "harp 0 60 1\n";
        break;
      default:
        break;
    }
    files.push_back(test_support::file(name, text));
  }
  ASSERT_TRUE(tree.add_all(files));

  const auto all = test_support::run_binary(LYRELINT_BIN, {"songs", "lib"}, tree.root());
  const auto one =
      test_support::run_binary(taskset, {"-c", "0", LYRELINT_BIN, "songs", "lib"}, tree.root());
  EXPECT_EQ(all.out, one.out);
  EXPECT_EQ(all.err, one.err);
  EXPECT_EQ(all.status, one.status);
  EXPECT_EQ(all.err, "200 of 401 tracks failed\n");
  EXPECT_EQ(all.status, 1);
}

}  // namespace
}  // namespace lyre
