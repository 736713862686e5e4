// The manual page renders without a single warning, and the usage text it
// shows is the one the command prints.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "checker/run_binary_test_support.h"

#ifndef LYRELINT_BIN
#error "LYRELINT_BIN must name the built command"
#endif

namespace lyre {
namespace {

// Relative to the source root, where the tests run.
constexpr char page_path[] = "docs/lyrelint.1";

// The first executable `name` on PATH, or empty.
std::string find_on_path(std::string_view name) {
  const char* path = std::getenv("PATH");
  std::string_view dirs = path != nullptr ? path : "";
  while (!dirs.empty()) {
    const std::size_t colon = dirs.find(':');
    const std::string_view dir = dirs.substr(0, colon);
    const std::string candidate = std::string(dir.empty() ? "." : dir) + "/" + std::string(name);
    if (::access(candidate.c_str(), X_OK) == 0) return candidate;
    if (colon == std::string_view::npos) break;
    dirs.remove_prefix(colon + 1);
  }
  return "";
}

std::vector<std::string> lines_of(std::string_view text) {
  std::vector<std::string> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    lines.emplace_back(text.substr(0, end));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

// Sites differ in whether \- renders as a hyphen-minus or as U+2212.
std::string with_ascii_minus(std::string_view text) {
  constexpr std::string_view minus = "\xE2\x88\x92";
  std::string out;
  while (!text.empty()) {
    if (text.starts_with(minus)) {
      out += '-';
      text.remove_prefix(minus.size());
    } else {
      out += text.front();
      text.remove_prefix(1);
    }
  }
  return out;
}

class ManPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    groff_ = find_on_path("groff");
    if (groff_.empty()) GTEST_SKIP() << "groff is not installed";
  }
  std::string groff_;
};

TEST_F(ManPageTest, RendersWithoutWarnings) {
  const test_support::RunResult run =
      test_support::run_binary(groff_, {"-man", "-Tutf8", "-ww", "-z", page_path}, ".");
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.status, 0);
}

TEST_F(ManPageTest, ShowsTheUsageTheCommandPrints) {
  const test_support::RunResult usage = test_support::run_binary(LYRELINT_BIN, {}, ".");
  ASSERT_EQ(usage.status, 1);
  const std::vector<std::string> wanted = lines_of(usage.err);
  ASSERT_EQ(wanted.size(), 2u);

  // -P-cbou: plain text, without bold or underline.
  const test_support::RunResult page =
      test_support::run_binary(groff_, {"-man", "-Tutf8", "-P-cbou", page_path}, ".");
  ASSERT_EQ(page.status, 0) << page.err;
  const std::vector<std::string> shown = lines_of(with_ascii_minus(page.out));
  bool found = false;
  for (std::size_t i = 0; i + 1 < shown.size() && !found; ++i) {
    const std::size_t indent = shown[i].find_first_not_of(' ');
    found = indent != std::string::npos && shown[i].substr(indent) == wanted[0] &&
            shown[i + 1] == std::string(indent, ' ') + wanted[1];
  }
  EXPECT_TRUE(found) << "the page does not show, as two lines:\n" << usage.err;
}

}  // namespace
}  // namespace lyre
