#include "lyre/track/multisong/snapshot.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string_view>
#include <vector>

#include "lyre/docformat/parse_error.h"
#include "table_runner_test_support.h"
#include "track/line_error_test_support.h"

namespace lyre {
namespace {

using test_support::Fails;
using Body = std::vector<std::string_view>;
using Row = test_support::Row<Body, Snapshot>;
constexpr float kInf = std::numeric_limits<float>::infinity();

TEST(SnapshotParse, StoresOneValuePerParameter) {
  const std::vector<Row> rows = {
      {"empty body", {}, {}},
      {"blank lines only", {"", " \t "}, {}},
      {"later value replaces", {"music 0.5", "music 0.8"}, {{{"music", 0.8f}}}},
      {"value after several blanks",
       {"combat  1", "music   0.5"},
       {{{"combat", 1.0f}, {"music", 0.5f}}}},
      {"tab and non-breaking space", {"x\t-inf", "y\u00a02"}, {{{"x", -kInf}, {"y", 2.0f}}}},
      {"names are free and case-sensitive",
       {"@x 1", "Music 2", "music 3"},
       {{{"@x", 1.0f}, {"Music", 2.0f}, {"music", 3.0f}}}},
      {"overflow reads as infinity", {"y 1e40"}, {{{"y", kInf}}}},
      {"lines are trimmed", {"  music 0.2  "}, {{{"music", 0.2f}}}},
  };
  test_support::expect_rows(rows, [](const Body& body) { return Snapshot::parse(body); });
}

TEST(SnapshotParse, KeepsNotANumber) {
  const Body body = {"a.b nan"};
  auto snapshot = Snapshot::parse(body);
  ASSERT_TRUE(snapshot.has_value());
  ASSERT_EQ(snapshot->values.size(), 1u);
  EXPECT_TRUE(std::isnan(snapshot->values.at("a.b")));
}

TEST(SnapshotParse, ReportsTheBodyLineOnly) {
  const std::vector<Row> rows = {
      {{"music"}, Fails{"line 1: snapshot entry needs '<param> <value>'"}},
      {{"x 1", "", "", "y 2", "", "z"}, Fails{"line 6: snapshot entry needs '<param> <value>'"}},
      {{"music   x"}, Fails{"line 1: invalid snapshot value '  x'"}},
      {{"music\t x"}, Fails{"line 1: invalid snapshot value ' x'"}},
      {{"music\u00a0x"}, Fails{"line 1: invalid snapshot value 'x'"}},
      {{"music  0.5  0.6"}, Fails{"line 1: invalid snapshot value ' 0.5  0.6'"}},
      {{"music 0.5 0.6"}, Fails{"line 1: invalid snapshot value '0.5 0.6'"}},
      {{"music 1,5"}, Fails{"line 1: invalid snapshot value '1,5'"}},
      {{"a 1", "b x", "c"}, Fails{"line 2: invalid snapshot value 'x'"}},
  };
  test_support::expect_rows(
      rows, [](const Body& body) { return Snapshot::parse(body); }, test_support::body_line_error);
}

}  // namespace
}  // namespace lyre
