#include "lyre/track/multisong/snapshot.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string_view>
#include <vector>

#include "lyre/docformat/parse_error.h"

namespace lyre {
namespace {

using Body = std::vector<std::string_view>;
constexpr float kInf = std::numeric_limits<float>::infinity();

struct Accepted {
  std::string_view name;
  Body body;
  Snapshot expected;
};

TEST(SnapshotParse, StoresOneValuePerParameter) {
  const std::vector<Accepted> cases = {
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
  for (const Accepted& c : cases) {
    SCOPED_TRACE(c.name);
    auto snapshot = Snapshot::parse(c.body);
    ASSERT_TRUE(snapshot.has_value()) << snapshot.error().text();
    EXPECT_EQ(*snapshot, c.expected);
  }
}

TEST(SnapshotParse, KeepsNotANumber) {
  const Body body = {"a.b nan"};
  auto snapshot = Snapshot::parse(body);
  ASSERT_TRUE(snapshot.has_value());
  ASSERT_EQ(snapshot->values.size(), 1u);
  EXPECT_TRUE(std::isnan(snapshot->values.at("a.b")));
}

struct Rejected {
  Body body;
  std::string_view text;
};

TEST(SnapshotParse, ReportsTheBodyLineOnly) {
  const std::vector<Rejected> cases = {
      {{"music"}, "line 1: snapshot entry needs '<param> <value>'"},
      {{"x 1", "", "", "y 2", "", "z"}, "line 6: snapshot entry needs '<param> <value>'"},
      {{"music   x"}, "line 1: invalid snapshot value '  x'"},
      {{"music\t x"}, "line 1: invalid snapshot value ' x'"},
      {{"music\u00a0x"}, "line 1: invalid snapshot value 'x'"},
      {{"music  0.5  0.6"}, "line 1: invalid snapshot value ' 0.5  0.6'"},
      {{"music 0.5 0.6"}, "line 1: invalid snapshot value '0.5 0.6'"},
      {{"music 1,5"}, "line 1: invalid snapshot value '1,5'"},
      {{"a 1", "b x", "c"}, "line 2: invalid snapshot value 'x'"},
  };
  for (const Rejected& c : cases) {
    SCOPED_TRACE(c.text);
    auto snapshot = Snapshot::parse(c.body);
    ASSERT_FALSE(snapshot.has_value());
    EXPECT_EQ(snapshot.error().text(), c.text);
    EXPECT_EQ(snapshot.error().located({}, 12).text(), c.text);
  }
}

}  // namespace
}  // namespace lyre
