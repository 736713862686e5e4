// lyre check and lyrelint agree on every .track file of the project's
// corpora, each checked alone: a file gets an error exactly when lyrelint
// fails it, and lyrelint's message is one of the errors, without the stage
// word and line numbers that the place now says.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "checker/run_binary_test_support.h"

namespace lyre {
namespace {

std::vector<std::string> corpus_files() {
  std::vector<std::string> files;
  for (const char* root : {"examples", "tests/corpus", "fuzz/corpus"}) {
    if (!std::filesystem::is_directory(root)) continue;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
      if (entry.is_regular_file() && entry.path().extension() == ".track") {
        files.push_back(entry.path().generic_string());
      }
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

bool consume(std::string_view& text, std::string_view prefix) {
  if (!text.starts_with(prefix)) return false;
  text.remove_prefix(prefix.size());
  return true;
}

// lyrelint's message for `path` as lyre check words it: without the stage,
// the "in import {path}: " and the "line {n}: " parts. Empty for the two
// reference checks, whose wording differs.
std::string as_finding(std::string_view verdict, const std::string& path) {
  std::string_view text = verdict;
  consume(text, "FAIL " + path + ": ");
  if (text.starts_with("unresolved layers: ") || text.starts_with("unknown sounds: ")) return "";
  consume(text, "parse: ") || consume(text, "import: ") || consume(text, "read: ");
  for (bool more = true; more;) {
    more = false;
    if (text.starts_with("in import ")) {
      const std::size_t colon = text.find(": ");
      if (colon != std::string_view::npos) text.remove_prefix(colon + 2);
      more = true;
    }
    if (text.starts_with("line ")) {
      const std::size_t colon = text.find(": ");
      if (colon != std::string_view::npos) text.remove_prefix(colon + 2);
      more = true;
    }
  }
  return std::string(text);
}

TEST(Agreement, LyreCheckErrsExactlyWhenLyrelintFails) {
  const std::vector<std::string> files = corpus_files();
  ASSERT_GE(files.size(), 40u) << "the corpora were not found from "
                               << std::filesystem::current_path();
  for (const std::string& file : files) {
    SCOPED_TRACE(file);
    const auto verdict = test_support::run_binary(LYRELINT_BIN, {file}, ".");
    const auto check = test_support::run_binary(LYRE_BIN, {"check", file}, ".");
    const std::string first = verdict.out.substr(0, verdict.out.find('\n'));
    const bool failed = first.starts_with("FAIL ");
    std::vector<std::string> errors;
    std::string_view rest = check.out;
    while (!rest.empty()) {
      const std::string_view line = rest.substr(0, rest.find('\n'));
      rest.remove_prefix(std::min(rest.size(), line.size() + 1));
      const std::size_t marker = line.find(": error: ");
      if (marker == std::string_view::npos) continue;
      std::string_view message = line.substr(marker + 9);
      message = message.substr(0, message.rfind(" ["));
      errors.emplace_back(message);
    }
    EXPECT_EQ(failed, !errors.empty()) << verdict.out << check.out;
    EXPECT_EQ(check.status, failed ? 1 : 0) << check.err;
    const std::string message = failed ? as_finding(first, file) : "";
    if (!message.empty()) {
      EXPECT_NE(std::find(errors.begin(), errors.end(), message), errors.end())
          << "lyrelint: " << first << "\nlyre check:\n"
          << check.out;
    }
  }
}

}  // namespace
}  // namespace lyre
