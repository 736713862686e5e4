// Standard input as a run checks it: the name it is shown by and where its
// imports resolve.
#include "cli/inputs.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

namespace lyre::cli {
namespace {

struct StdinCase {
  const char* name;
  std::optional<std::string> stdin_filename;
  std::string input;  // "{shown} imports in {base}", or "... as written"
};

void PrintTo(const StdinCase& c, std::ostream* os) { *os << c.name; }

class StdinInputTest : public ::testing::TestWithParam<StdinCase> {};

TEST_P(StdinInputTest, ShownAndImportingBesideItsName) {
  const StdinText input = stdin_input(GetParam().stdin_filename, std::string("# Songs\n"));
  EXPECT_EQ(input.text, std::string("# Songs\n"));
  EXPECT_EQ(input.shown + (input.base ? " imports in '" + *input.base + "'" : " as written"),
            GetParam().input);
}

INSTANTIATE_TEST_SUITE_P(
    Names, StdinInputTest,
    ::testing::Values(StdinCase{"Unnamed", std::nullopt, "- imports in ''"},
                      StdinCase{"Named", "songs/a.track", "songs/a.track imports in 'songs'"},
                      StdinCase{"AtTheRoot", "/a.track", "/a.track imports in '/'"},
                      StdinCase{"Root", "/", "/ as written"},
                      // Shown as valid text; resolved by its own bytes.
                      StdinCase{"InvalidBytes", "d\xFF/a.track",
                                "d\xEF\xBF\xBD/a.track imports in 'd\xFF'"}));

TEST(StdinInputTest, KeepsWhyItCouldNotBeRead) {
  const StdinText input = stdin_input("a.track", std::unexpected("invalid UTF-8 on line 2"));
  EXPECT_EQ(input.text, std::unexpected("invalid UTF-8 on line 2"));
}

}  // namespace
}  // namespace lyre::cli
