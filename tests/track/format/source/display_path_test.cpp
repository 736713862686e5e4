#include "track/format/source/display_path.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "table_runner_test_support.h"

namespace lyre {
namespace {

#define R "\xEF\xBF\xBD"

TEST(DisplayPath, ReplacesEachMaximalInvalidSubpart) {
  const std::vector<test_support::Row<std::string, std::string>> rows = {
      {"empty", "", ""},
      {"ascii", "dir/sub/x.track", "dir/sub/x.track"},
      {"valid multibyte", "caf\xC3\xA9/\xF0\x9F\x98\x80.track",
       "caf\xC3\xA9/\xF0\x9F\x98\x80.track"},
      {"Latin-1 byte", "caf\xE9.track", "caf" R ".track"},
      {"truncated at end", "\xE2\x82", R},
      {"truncated before ASCII", "\xE2\x82x", R "x"},
      {"truncated four bytes", "\xF0\x9F\x98", R},
      {"truncated before valid", "\xF1\x80\x80\xE2\x82\xAC", R "\xE2\x82\xAC"},
      {"truncated after valid", "\xC2\xA0\xC2", "\xC2\xA0" R},
      // A second byte outside the lead's range is not part of its subpart.
      {"surrogate", "\xED\xA0\x80", R R R},
      {"overlong three bytes", "\xE0\x9F\x80", R R R},
      {"overlong four bytes", "\xF0\x80\x80", R R R},
      {"never a lead byte", "\xC0\xAF", R R},
      {"above the maximum", "\xF4\x90\x80\x80", R R R R},
      {"five-byte form", "\xF8\x88\x80\x80\x80", R R R R R},
      {"lone continuations",
       "a\x80\x80"
       "b",
       "a" R R "b"},
      {"invalid bytes", "\xFF\xFE", R R},
      {"three-byte lead short", "\xE0\xA0", R},
  };
  test_support::expect_rows(rows, display_path);
}

#undef R

}  // namespace
}  // namespace lyre
