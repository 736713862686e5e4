// The SARIF logs of the built `lyre` are valid against the official SARIF
// 2.1.0 JSON schema (tests/data/sarif-schema-2.1.0.json): each row writes its
// files into a fresh directory, runs `lyre check --format sarif` there and
// pipes the log into tests/sarif_valid.py, which validates it with the python3
// module jsonschema. The tests run in the source directory; without the module
// they are skipped.
#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "checker/run_binary_test_support.h"
#include "checker/temp_tree_test_support.h"

#ifndef LYRE_BIN
#error "LYRE_BIN must name the built program"
#endif

namespace lyre::cli {
namespace {

using test_support::file;
using test_support::TreeItem;

constexpr const char* kValidator = "tests/sarif_valid.py";
constexpr const char* kSchema = "tests/data/sarif-schema-2.1.0.json";
// The validator's status when the jsonschema module is missing.
constexpr int kSkipped = 77;

// Runs the validator on `log`, written to a file of a scratch tree and read
// from standard input; the validator runs in the working directory, which
// holds tests/.
test_support::RunResult validate(const std::string& log) {
  test_support::TempTree scratch;
  test_support::RunResult failed;
  if (scratch.root().empty() || !scratch.add(file("log.sarif", log))) {
    failed.err = "<cannot write the log>";
    return failed;
  }
  const std::string here = std::filesystem::current_path().string();
  return test_support::run_binary(
      "/bin/sh",
      {"-c", "exec python3 \"$0\" \"$1\" < \"$2\"", kValidator, kSchema, scratch.at("log.sarif")},
      here, 60000);
}

// Fails unless the tests run where the validator and the schema are.
void expect_source_directory() {
  ASSERT_TRUE(std::filesystem::exists(kValidator))
      << kValidator << " not found: run the tests from the source directory";
  ASSERT_TRUE(std::filesystem::exists(kSchema))
      << kSchema << " not found: run the tests from the source directory";
}

struct SarifCase {
  const char* name;
  std::vector<TreeItem> files;
  std::vector<std::string> args;    // after `check --format sarif`
  int status;                       // of `lyre`
  std::vector<std::string> in_log;  // texts the log holds
};

void PrintTo(const SarifCase& c, std::ostream* os) { *os << c.name; }

class SarifSchemaTest : public ::testing::TestWithParam<SarifCase> {};

TEST_P(SarifSchemaTest, LogIsValid) {
  const SarifCase& c = GetParam();
  expect_source_directory();
  if (HasFatalFailure()) return;
  test_support::TempTree tree;
  ASSERT_FALSE(tree.root().empty());
  ASSERT_TRUE(tree.add_all(c.files));
  std::vector<std::string> args{"check", "--format", "sarif"};
  args.insert(args.end(), c.args.begin(), c.args.end());
  const test_support::RunResult run = test_support::run_binary(LYRE_BIN, args, tree.root());
  ASSERT_EQ(run.status, c.status) << run.err;
  for (const std::string& text : c.in_log) EXPECT_NE(run.out.find(text), std::string::npos) << text;
  const test_support::RunResult check = validate(run.out);
  if (check.status == kSkipped) GTEST_SKIP() << check.err;
  EXPECT_EQ(check.status, 0) << check.out << check.err << "\nthe log:\n" << run.out;
}

const std::string ok_song = "# Songs\n## intro\n@layer melody\n# Layers\n## melody\nsine 0 60 1\n";
const std::string bad_tempo = "# Songs\n## intro\n@tempo fast\n";
// "canción/ñandú.track"
const std::string non_ascii_path =
    "canci\xC3\xB3n/\xC3\xB1"
    "and\xC3\xBA.track";
const std::string unknown_subtrack =
    "# Songs\n## s\n@layer m\n# Layers\n## m\nsine 0 60 1\nsubtrack c 0\n";

INSTANTIATE_TEST_SUITE_P(
    SarifLogs, SarifSchemaTest,
    ::testing::Values(
        SarifCase{"Clean", {file("a.track", ok_song)}, {"a.track"}, 0, {"\"results\": []"}},
        SarifCase{"Errors",
                  {file("a.track", bad_tempo),
                   file("b.track", "# Songs\n## s\n@layer gone\n# Layers\n## l\nsine x 60 1\n")},
                  {"a.track", "b.track"},
                  1,
                  {"\"level\": \"error\"", "\"ruleId\": \"parse\"", "\"startLine\": 3"}},
        SarifCase{"Warnings",
                  {file("a.track", unknown_subtrack)},
                  {"a.track"},
                  0,
                  {"\"level\": \"warning\"", "\"ruleId\": \"unknown-subtrack\""}},
        SarifCase{"NonAsciiNames",
                  {file(non_ascii_path,
                        "# Songs\n## caf\xC3\xA9\n@tempo r\xC3\xA1pido\n@layer m\xC3\xA9lodie\n")},
                  {non_ascii_path},
                  1,
                  {non_ascii_path, "r\xC3\xA1pido"}},
        SarifCase{"PathWithSpaces",
                  {file("my songs/a b.track", bad_tempo)},
                  {"my songs/a b.track"},
                  1,
                  {"my songs/a b.track"}},
        SarifCase{"InvalidUtf8",
                  {file("a.track", "# Songs\n\xC3\n")},
                  {"a.track"},
                  1,
                  {"\"ruleId\": \"read\""}},
        SarifCase{"Directory",
                  {file("d/a.track", bad_tempo), file("d/sub/b.track", unknown_subtrack),
                   file("d/c.track", ok_song)},
                  {"d"},
                  1,
                  {"\"level\": \"error\"", "\"level\": \"warning\""}}),
    [](const ::testing::TestParamInfo<SarifCase>& info) { return std::string(info.param.name); });

// The validator rejects what the schema rejects, so a passing log proves
// something.
TEST(SarifValidatorTest, RejectsRunWithoutTool) {
  expect_source_directory();
  if (HasFatalFailure()) return;
  const test_support::RunResult check = validate(R"({"version":"2.1.0","runs":[{"results":[]}]})");
  if (check.status == kSkipped) GTEST_SKIP() << check.err;
  EXPECT_EQ(check.status, 1) << check.out << check.err;
  EXPECT_NE(check.out.find("'tool' is a required property"), std::string::npos) << check.out;
}

TEST(SarifValidatorTest, RejectsLineZero) {
  expect_source_directory();
  if (HasFatalFailure()) return;
  const test_support::RunResult check =
      validate(R"({"version":"2.1.0","runs":[{"tool":{"driver":{"name":"lyre"}},"results":[{)"
               R"("message":{"text":"m"},"locations":[{"physicalLocation":{"artifactLocation":)"
               R"({"uri":"a.track"},"region":{"startLine":0}}}]}]}]})");
  if (check.status == kSkipped) GTEST_SKIP() << check.err;
  EXPECT_EQ(check.status, 1) << check.out << check.err;
  EXPECT_NE(check.out.find("startLine"), std::string::npos) << check.out;
}

TEST(SarifValidatorTest, RejectsText) {
  expect_source_directory();
  if (HasFatalFailure()) return;
  const test_support::RunResult check = validate("a.track:3:8: error: x [parse]\n");
  if (check.status == kSkipped) GTEST_SKIP() << check.err;
  EXPECT_EQ(check.status, 1) << check.out << check.err;
}

TEST(SarifValidatorTest, AcceptsMinimalLog) {
  expect_source_directory();
  if (HasFatalFailure()) return;
  const test_support::RunResult check =
      validate(R"({"version":"2.1.0","runs":[{"tool":{"driver":{"name":"lyre"}},"results":[]}]})");
  if (check.status == kSkipped) GTEST_SKIP() << check.err;
  EXPECT_EQ(check.status, 0) << check.out << check.err;
}

}  // namespace
}  // namespace lyre::cli
