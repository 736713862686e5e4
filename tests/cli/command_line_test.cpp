#include "cli/command_line.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <thread>
#include <variant>
#include <vector>

namespace lyre::cli {
namespace {

using Parsed = std::variant<CheckOptions, ServerOptions, Outcome>;

Parsed parse(std::vector<const char*> args) {
  args.insert(args.begin(), "lyre");
  return parse_command_line(static_cast<int>(args.size()), args.data());
}

CheckOptions defaults(std::vector<std::string> paths) {
  CheckOptions options;
  options.jobs = std::max(1u, std::thread::hardware_concurrency());
  options.paths = std::move(paths);
  return options;
}

struct OptionsCase {
  const char* name;
  std::vector<const char*> args;
  CheckOptions options;
};

void PrintTo(const OptionsCase& c, std::ostream* os) { *os << c.name; }

class CheckOptionsTest : public ::testing::TestWithParam<OptionsCase> {};

TEST_P(CheckOptionsTest, ReadsOptions) {
  const OptionsCase& c = GetParam();
  const auto parsed = parse(c.args);
  ASSERT_TRUE(std::holds_alternative<CheckOptions>(parsed)) << std::get<Outcome>(parsed).err;
  EXPECT_EQ(std::get<CheckOptions>(parsed), c.options);
}

CheckOptions with(CheckOptions options, auto change) {
  change(options);
  return options;
}

INSTANTIATE_TEST_SUITE_P(
    Options, CheckOptionsTest,
    ::testing::Values(
        OptionsCase{"PathsInOrder", {"check", "b.track", "a"}, defaults({"b.track", "a"})},
        OptionsCase{"DashIsStandardInput", {"check", "-"}, defaults({"-"})},
        OptionsCase{"Json",
                    {"check", "--format", "json", "a"},
                    with(defaults({"a"}), [](CheckOptions& o) { o.format = Format::Json; })},
        OptionsCase{"SarifWithEquals",
                    {"check", "--format=sarif", "a"},
                    with(defaults({"a"}), [](CheckOptions& o) { o.format = Format::Sarif; })},
        OptionsCase{"Github",
                    {"check", "a", "--format", "github"},
                    with(defaults({"a"}), [](CheckOptions& o) { o.format = Format::Github; })},
        OptionsCase{"IgnoreRepeated",
                    {"check", "--ignore", "unknown-motif", "--ignore", "duplicate-entry", "a"},
                    with(defaults({"a"}),
                         [](CheckOptions& o) {
                           o.ignored = {"unknown-motif", "duplicate-entry"};
                         })},
        OptionsCase{"Strict",
                    {"check", "--strict", "a"},
                    with(defaults({"a"}), [](CheckOptions& o) { o.strict = true; })},
        OptionsCase{"JobsShort",
                    {"check", "-j", "3", "a"},
                    with(defaults({"a"}), [](CheckOptions& o) { o.jobs = 3; })},
        OptionsCase{"JobsLong",
                    {"check", "--jobs", "1", "a"},
                    with(defaults({"a"}), [](CheckOptions& o) { o.jobs = 1; })},
        OptionsCase{
            "StdinFilename",
            {"check", "--stdin-filename", "songs/x.track", "-"},
            with(defaults({"-"}), [](CheckOptions& o) { o.stdin_filename = "songs/x.track"; })}));

struct ExitCase {
  const char* name;
  std::vector<const char*> args;
  Outcome outcome;
};

void PrintTo(const ExitCase& c, std::ostream* os) { *os << c.name; }

class ExitTest : public ::testing::TestWithParam<ExitCase> {};

TEST_P(ExitTest, PrintsInsteadOfChecking) {
  const ExitCase& c = GetParam();
  const auto parsed = parse(c.args);
  ASSERT_TRUE(std::holds_alternative<Outcome>(parsed));
  EXPECT_EQ(std::get<Outcome>(parsed).out, c.outcome.out);
  EXPECT_EQ(std::get<Outcome>(parsed).err, c.outcome.err);
  EXPECT_EQ(std::get<Outcome>(parsed).status, c.outcome.status);
}

Outcome usage_error(const std::string& message) {
  return Outcome{"", message + "\nRun with --help for more information.\n", 2};
}

INSTANTIATE_TEST_SUITE_P(
    Exits, ExitTest,
    ::testing::Values(
        ExitCase{"Version", {"--version"}, Outcome{"lyre 0.2.0\n", "", 0}},
        ExitCase{"NoCommand", {}, usage_error("A subcommand is required")},
        ExitCase{"UnknownCommand", {"lint", "a"}, usage_error("A subcommand is required")},
        ExitCase{"NoPath", {"check"}, usage_error("path is required")},
        ExitCase{"OnlyOptions", {"check", "--strict"}, usage_error("path is required")},
        ExitCase{"UnknownOption",
                 {"check", "--fix", "a"},
                 usage_error("The following argument was not expected: --fix")},
        ExitCase{"BadFormat",
                 {"check", "--format", "xml", "a"},
                 usage_error("--format: xml not in {text,json,sarif,github}")},
        ExitCase{"FormatWithoutValue",
                 {"check", "a", "--format"},
                 usage_error("--format: 1 required TEXT:{text,json,sarif,github} missing")},
        ExitCase{"UnknownRule",
                 {"check", "--ignore", "unknown-motive", "a"},
                 usage_error("--ignore: unknown rule 'unknown-motive'")},
        ExitCase{"IgnoreError",
                 {"check", "--ignore", "parse", "a"},
                 usage_error("--ignore: rule 'parse' is an error and cannot be ignored")},
        ExitCase{"IgnoreUnknownSound",
                 {"check", "--ignore", "unknown-sound", "a"},
                 usage_error("--ignore: rule 'unknown-sound' is an error and cannot be ignored")},
        ExitCase{"ZeroJobs",
                 {"check", "-j", "0", "a"},
                 usage_error("--jobs: expected a number of 1 or more, not '0'")},
        ExitCase{"JobsNotANumber",
                 {"check", "--jobs", "many", "a"},
                 usage_error("--jobs: expected a number of 1 or more, not 'many'")},
        ExitCase{"NegativeJobs",
                 {"check", "--jobs=-2", "a"},
                 usage_error("--jobs: expected a number of 1 or more, not '-2'")}));

TEST(HelpTest, ListsTheCommand) {
  const auto parsed = parse({"--help"});
  ASSERT_TRUE(std::holds_alternative<Outcome>(parsed));
  EXPECT_EQ(std::get<Outcome>(parsed),
            (Outcome{"Checks .track files and reports every problem with its place, or serves "
                     "editors as a language server.\n"
                     "Usage: lyre [OPTIONS] SUBCOMMAND\n"
                     "\n"
                     "Options:\n"
                     "  -h,--help                   Print this help message and exit\n"
                     "  --version                   Display program version information and exit\n"
                     "\n"
                     "Subcommands:\n"
                     "  check                       Check .track files: directories are walked "
                     "for *.track, - reads standard input.\n"
                     "  server                      Serve the Language Server Protocol on "
                     "standard input and output, for editors.\n"
                     "\n",
                     "", 0}));
}

TEST(ServerCommandTest, TakesNoArguments) {
  EXPECT_EQ(parse({"server"}),
            (std::variant<CheckOptions, ServerOptions, Outcome>(ServerOptions{})));
  const auto extra = parse({"server", "x.track"});
  ASSERT_TRUE(std::holds_alternative<Outcome>(extra));
  EXPECT_EQ(std::get<Outcome>(extra).status, kStatusUsage);
}

TEST(HelpTest, ListsTheOptionsOfCheck) {
  const auto parsed = parse({"check", "--help"});
  ASSERT_TRUE(std::holds_alternative<Outcome>(parsed));
  EXPECT_EQ(
      std::get<Outcome>(parsed),
      (Outcome{"Check .track files: directories are walked for *.track, - reads standard input.\n"
               "Usage: lyre check [OPTIONS] path...\n"
               "\n"
               "Positionals:\n"
               "  path TEXT ... REQUIRED      .track files or directories; - for standard input\n"
               "\n"
               "Options:\n"
               "  -h,--help                   Print this help message and exit\n"
               "  --format TEXT:{text,json,sarif,github}\n"
               "                              Report format (default text)\n"
               "  --ignore TEXT:RULE ...      Drop the findings of a warning rule\n"
               "  --strict                    Warnings also make the exit status 1\n"
               "  -j,--jobs UINT:N            Files checked in parallel\n"
               "  --stdin-filename TEXT       The path standard input is shown by and imports "
               "from\n"
               "\n",
               "", 0}));
}

}  // namespace
}  // namespace lyre::cli
