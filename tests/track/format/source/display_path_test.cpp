#include "track/format/source/display_path.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace lyre {
namespace {

struct DisplayCase {
  const char* name;
  std::string bytes;
  std::string shown;
};

void PrintTo(const DisplayCase& c, std::ostream* os) { *os << c.name; }

class DisplayPathTest : public ::testing::TestWithParam<DisplayCase> {};

TEST_P(DisplayPathTest, ReplacesEachMaximalInvalidSubpart) {
  EXPECT_EQ(display_path(GetParam().bytes), GetParam().shown);
}

#define R "\xEF\xBF\xBD"

INSTANTIATE_TEST_SUITE_P(
    Paths, DisplayPathTest,
    ::testing::Values(DisplayCase{"Empty", "", ""},
                      DisplayCase{"Ascii", "dir/sub/x.track", "dir/sub/x.track"},
                      DisplayCase{"ValidMultibyte", "caf\xC3\xA9/\xF0\x9F\x98\x80.track",
                                  "caf\xC3\xA9/\xF0\x9F\x98\x80.track"},
                      DisplayCase{"Latin1Byte", "caf\xE9.track", "caf" R ".track"},
                      DisplayCase{"TruncatedAtEnd", "\xE2\x82", R},
                      DisplayCase{"TruncatedBeforeAscii", "\xE2\x82x", R "x"},
                      DisplayCase{"TruncatedFourBytes", "\xF0\x9F\x98", R},
                      DisplayCase{"TruncatedBeforeValid", "\xF1\x80\x80\xE2\x82\xAC",
                                  R "\xE2\x82\xAC"},
                      DisplayCase{"TruncatedAfterValid", "\xC2\xA0\xC2", "\xC2\xA0" R},
                      // A second byte outside the lead's range is not part of its subpart.
                      DisplayCase{"Surrogate", "\xED\xA0\x80", R R R},
                      DisplayCase{"OverlongThreeBytes", "\xE0\x9F\x80", R R R},
                      DisplayCase{"OverlongFourBytes", "\xF0\x80\x80", R R R},
                      DisplayCase{"NeverLeadByte", "\xC0\xAF", R R},
                      DisplayCase{"AboveMaximum", "\xF4\x90\x80\x80", R R R R},
                      DisplayCase{"FiveByteForm", "\xF8\x88\x80\x80\x80", R R R R R},
                      DisplayCase{"LoneContinuations",
                                  "a\x80\x80"
                                  "b",
                                  "a" R R "b"},
                      DisplayCase{"InvalidBytes", "\xFF\xFE", R R},
                      DisplayCase{"ThreeByteLeadShort", "\xE0\xA0", R}),
    [](const auto& info) { return std::string(info.param.name); });

#undef R

}  // namespace
}  // namespace lyre
