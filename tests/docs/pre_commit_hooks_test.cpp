// The pre-commit hook definitions: one running the installed command on the
// staged .track files, with a file pattern that picks exactly those, one
// checking the whole tree when a commit touches a .track file, and one running
// `lyre check` on the staged files.
#include <gtest/gtest.h>

#include <cstdlib>
#include <expected>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "checker/temp_tree_test_support.h"

namespace lyre {
namespace {

// Relative to the source root, where the tests run.
constexpr char hooks_path[] = ".pre-commit-hooks.yaml";

using Hook = std::map<std::string, std::string>;

// A plain value, or one in single quotes ('' stands for a quote) or in
// double quotes without escapes: all the hook file needs.
std::expected<std::string, std::string> unquote(std::string_view value) {
  if (value.size() >= 2 && value.front() == '\'' && value.back() == '\'') {
    std::string out;
    for (std::size_t i = 1; i + 1 < value.size(); ++i) {
      out += value[i];
      if (value[i] == '\'') ++i;  // the second quote of ''
    }
    return out;
  }
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
    if (value.find('\\') != std::string_view::npos) {
      return std::unexpected("escapes in double quotes are not read");
    }
    return std::string(value.substr(1, value.size() - 2));
  }
  return std::string(value);
}

// Reads a list of flat mappings, line by line: "- key: value" starts a hook
// and "  key: value" adds to it; blank lines and comments are skipped.
std::expected<std::vector<Hook>, std::string> read_hooks(std::string_view text) {
  std::vector<Hook> hooks;
  std::size_t number = 0;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    ++number;
    const auto fail = [&](std::string_view why) {
      return std::unexpected("line " + std::to_string(number) + ": " + std::string(why));
    };
    const std::size_t first = line.find_first_not_of(' ');
    if (first == std::string_view::npos || line[first] == '#') continue;
    if (line.starts_with("- ")) {
      hooks.emplace_back();
    } else if (!line.starts_with("  ") || hooks.empty()) {
      return fail("expected '- key: value' or '  key: value'");
    }
    line.remove_prefix(2);
    const std::size_t colon = line.find(": ");
    if (colon == std::string_view::npos || colon == 0 || line.front() == ' ') {
      return fail("expected 'key: value'");
    }
    auto value = unquote(line.substr(colon + 2));
    if (!value) return fail(value.error());
    if (!hooks.back().emplace(std::string(line.substr(0, colon)), *value).second) {
      return fail("key given twice");
    }
  }
  return hooks;
}

struct ReaderCase {
  const char* name;
  std::string text;
  std::expected<std::vector<Hook>, std::string> read;
};

void PrintTo(const ReaderCase& c, std::ostream* os) { *os << c.name; }

class HookReaderTest : public ::testing::TestWithParam<ReaderCase> {};

TEST_P(HookReaderTest, ReadsFlatHookLists) {
  const ReaderCase& c = GetParam();
  EXPECT_EQ(read_hooks(c.text), c.read);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, HookReaderTest,
    ::testing::Values(
        ReaderCase{"TwoHooks",
                   "# hooks\n- id: a\n  files: '\\.x$'\n\n- id: b\n  name: \"B c\"\n  q: 'it''s'\n",
                   std::vector<Hook>{{{"id", "a"}, {"files", "\\.x$"}},
                                     {{"id", "b"}, {"name", "B c"}, {"q", "it's"}}}},
        ReaderCase{"KeyBeforeHook", "  id: a\n",
                   std::unexpected("line 1: expected '- key: value' or '  key: value'")},
        ReaderCase{"DeeperIndent", "- id: a\n    name: b\n",
                   std::unexpected("line 2: expected 'key: value'")},
        ReaderCase{"NoValue", "- id:\n", std::unexpected("line 1: expected 'key: value'")},
        ReaderCase{"KeyTwice", "- id: a\n  id: b\n", std::unexpected("line 2: key given twice")},
        ReaderCase{"Escapes", "- files: \"\\\\.track$\"\n",
                   std::unexpected("line 1: escapes in double quotes are not read")}),
    [](const auto& info) { return std::string(info.param.name); });

std::expected<std::vector<Hook>, std::string> read_hook_file() {
  std::ifstream in(hooks_path, std::ios::binary);
  if (!in) return std::unexpected(std::string("cannot open ") + hooks_path);
  std::ostringstream text;
  text << in.rdbuf();
  return read_hooks(text.str());
}

// Each hook without its description, which is prose.
std::vector<Hook> hooks_without_descriptions() {
  auto hooks = read_hook_file();
  if (!hooks) {
    ADD_FAILURE() << hooks.error();
    return {};
  }
  for (Hook& hook : *hooks) {
    EXPECT_FALSE(hook["description"].empty()) << hook["id"];
    hook.erase("description");
  }
  return *hooks;
}

constexpr char kAllEntryCommand[] =
    "git diff --cached --quiet -- \"*.track\" && ! git diff --cached --quiet || exec lyrelint .";

TEST(PreCommitHooksTest, DefinesTheStagedTheWholeTreeAndTheLyreHooks) {
  EXPECT_EQ(hooks_without_descriptions(),
            (std::vector<Hook>{{{"id", "lyrelint"},
                                {"name", "lyrelint"},
                                {"entry", "lyrelint"},
                                {"language", "system"},
                                {"files", "\\.track$"}},
                               {{"id", "lyrelint-all"},
                                {"name", "lyrelint (whole tree)"},
                                {"entry", std::string("sh -c '") + kAllEntryCommand + "'"},
                                {"language", "system"},
                                {"pass_filenames", "false"},
                                {"always_run", "true"}},
                               {{"id", "lyre-check"},
                                {"name", "lyre check"},
                                {"entry", "lyre check"},
                                {"language", "system"},
                                {"files", "\\.track$"}}}));
}

// The whole-tree hook's command in a scratch repository, with a stand-in
// `lyrelint` on the PATH that says it ran.
struct AllHookCase {
  const char* name;
  const char* staging;  // shell commands run in the repository before the hook
  const char* output;   // what the hook prints
};

class AllHookTest : public ::testing::TestWithParam<AllHookCase> {};

TEST_P(AllHookTest, RunsWhenTrackFilesChangeOrNothingIsStaged) {
  const AllHookCase& c = GetParam();
  test_support::TempTree tree;
  ASSERT_FALSE(tree.root().empty());
  ASSERT_TRUE(tree.add(test_support::file("bin/lyrelint", "#!/bin/sh\necho \"lyrelint $*\"\n")));
  const std::string setup =
      "cd '" + tree.root() +
      "' && chmod +x bin/lyrelint && mkdir repo && cd repo && "
      "git init -q && git config user.email t@example.com && git config user.name t && "
      "echo '# Songs' > kit.track && echo text > notes.txt && git add . && "
      "git commit -qm first && " +
      c.staging;
  ASSERT_EQ(std::system(setup.c_str()), 0) << setup;
  const std::string hook = "cd '" + tree.at("repo") + "' && PATH='" + tree.at("bin") +
                           ":'\"$PATH\" sh -c '" + kAllEntryCommand + "' > ../out 2>&1";
  std::system(hook.c_str());
  std::ifstream in(tree.at("out"));
  std::ostringstream out;
  out << in.rdbuf();
  EXPECT_EQ(out.str(), c.output);
}

INSTANTIATE_TEST_SUITE_P(
    Staging, AllHookTest,
    ::testing::Values(
        AllHookCase{"ChangedTrack", "echo '# Layers' >> kit.track && git add kit.track",
                    "lyrelint .\n"},
        AllHookCase{"AddedTrack", "mkdir m && echo x > m/a.track && git add m", "lyrelint .\n"},
        AllHookCase{"DeletedTrack", "git rm -q kit.track", "lyrelint .\n"},
        AllHookCase{"OnlyOtherFiles", "echo more >> notes.txt && git add notes.txt", ""},
        AllHookCase{"NothingStaged", "true", "lyrelint .\n"}),
    [](const auto& info) { return std::string(info.param.name); });

struct PathCase {
  const char* path;
  bool matched;
};

TEST(PreCommitHooksTest, FilesPatternPicksTrackFiles) {
  const auto hooks = read_hook_file();
  ASSERT_TRUE(hooks) << hooks.error();
  ASSERT_FALSE(hooks->empty());
  ASSERT_TRUE(hooks->front().contains("files"));
  // pre-commit searches each staged path with the pattern.
  const std::regex files(hooks->front().at("files"), std::regex::ECMAScript);
  const PathCase cases[] = {
      {"a/b.track", true}, {"b.track", true},  {"music/a.b.track", true}, {"b.track.bak", false},
      {"b.tracks", false}, {"b.TRACK", false}, {"a.track/b.txt", false},  {"btrack", false},
  };
  for (const PathCase& c : cases) {
    EXPECT_EQ(std::regex_search(c.path, files), c.matched) << c.path;
  }
}

}  // namespace
}  // namespace lyre
