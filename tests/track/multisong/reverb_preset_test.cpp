#include "lyre/track/multisong/reverb_preset.h"

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
using Row = test_support::Row<Body, ReverbPreset>;
constexpr float kInf = std::numeric_limits<float>::infinity();

TEST(ReverbPresetParse, ReadsAndClampsTheFourKeys) {
  const std::vector<Row> rows = {
      {"defaults", {}, {0.5f, 0.7f, 0.4f, 0.01f}},
      {"blank lines only", {"", "\u3000"}, {0.5f, 0.7f, 0.4f, 0.01f}},
      {"every key",
       {"room_size 0.1", "decay 0.2", "mix 0.3", "predelay 0.4"},
       {0.1f, 0.2f, 0.3f, 0.4f}},
      {"mix above one", {"mix 1.5"}, {.mix = 1.0f}},
      {"decay below zero", {"decay -2"}, {.decay = 0.0f}},
      {"room size bounds kept", {"room_size 0", "mix 1"}, {.room_size = 0.0f, .mix = 1.0f}},
      {"room size infinities", {"room_size inf", "decay -inf"}, {.room_size = 1.0f, .decay = 0.0f}},
      {"predelay below zero", {"predelay -1"}, {.predelay = 0.0f}},
      {"predelay has no upper bound", {"predelay 3"}, {.predelay = 3.0f}},
      {"predelay infinity", {"predelay inf"}, {.predelay = kInf}},
      {"predelay not a number", {"predelay nan"}, {.predelay = 0.0f}},
      {"later value wins", {"room_size 0.3", "room_size 0.6"}, {.room_size = 0.6f}},
      {"value after several blanks", {"  mix   0.25  "}, {.mix = 0.25f}},
  };
  test_support::expect_rows(rows, [](const Body& body) { return ReverbPreset::parse(body); });
}

TEST(ReverbPresetParse, StoresNotANumberUnclampedForUnitKeys) {
  const Body body = {"room_size nan", "decay nan", "mix nan"};
  auto preset = ReverbPreset::parse(body);
  ASSERT_TRUE(preset.has_value());
  EXPECT_TRUE(std::isnan(preset->room_size));
  EXPECT_TRUE(std::isnan(preset->decay));
  EXPECT_TRUE(std::isnan(preset->mix));
}

TEST(ReverbPresetParse, ReadsTheValueBeforeTheKey) {
  const std::vector<Row> rows = {
      {{"size 0.3"}, Fails{"line 1: unknown reverb key 'size'"}},
      {{"Mix 0.5"}, Fails{"line 1: unknown reverb key 'Mix'"}},
      {{"size x"}, Fails{"line 1: invalid reverb value 'x'"}},
      {{"mix"}, Fails{"line 1: invalid reverb value ''"}},
      {{"size"}, Fails{"line 1: invalid reverb value ''"}},
      {{"mix 0.5 0.6"}, Fails{"line 1: invalid reverb value '0.5 0.6'"}},
      {{"mix   x"}, Fails{"line 1: invalid reverb value '  x'"}},
      {{"mix 1", "", "decay 0.5", "size 1"}, Fails{"line 4: unknown reverb key 'size'"}},
      {{"mix 1", "wet x", "size 1"}, Fails{"line 2: invalid reverb value 'x'"}},
  };
  test_support::expect_rows(
      rows, [](const Body& body) { return ReverbPreset::parse(body); },
      test_support::body_line_error);
}

}  // namespace
}  // namespace lyre
