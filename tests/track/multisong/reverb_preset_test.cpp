#include "lyre/track/multisong/reverb_preset.h"

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
  ReverbPreset expected;
};

TEST(ReverbPresetParse, ReadsAndClampsTheFourKeys) {
  const std::vector<Accepted> cases = {
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
  for (const Accepted& c : cases) {
    SCOPED_TRACE(c.name);
    auto preset = ReverbPreset::parse(c.body);
    ASSERT_TRUE(preset.has_value()) << preset.error().text();
    EXPECT_EQ(*preset, c.expected);
  }
}

TEST(ReverbPresetParse, StoresNotANumberUnclampedForUnitKeys) {
  const Body body = {"room_size nan", "decay nan", "mix nan"};
  auto preset = ReverbPreset::parse(body);
  ASSERT_TRUE(preset.has_value());
  EXPECT_TRUE(std::isnan(preset->room_size));
  EXPECT_TRUE(std::isnan(preset->decay));
  EXPECT_TRUE(std::isnan(preset->mix));
}

struct Rejected {
  Body body;
  std::string_view text;
};

TEST(ReverbPresetParse, ReadsTheValueBeforeTheKey) {
  const std::vector<Rejected> cases = {
      {{"size 0.3"}, "line 1: unknown reverb key 'size'"},
      {{"Mix 0.5"}, "line 1: unknown reverb key 'Mix'"},
      {{"size x"}, "line 1: invalid reverb value 'x'"},
      {{"mix"}, "line 1: invalid reverb value ''"},
      {{"size"}, "line 1: invalid reverb value ''"},
      {{"mix 0.5 0.6"}, "line 1: invalid reverb value '0.5 0.6'"},
      {{"mix   x"}, "line 1: invalid reverb value '  x'"},
      {{"mix 1", "", "decay 0.5", "size 1"}, "line 4: unknown reverb key 'size'"},
      {{"mix 1", "wet x", "size 1"}, "line 2: invalid reverb value 'x'"},
  };
  for (const Rejected& c : cases) {
    SCOPED_TRACE(c.text);
    auto preset = ReverbPreset::parse(c.body);
    ASSERT_FALSE(preset.has_value());
    EXPECT_EQ(preset.error().text(), c.text);
    EXPECT_EQ(preset.error().located({}, 9).text(), c.text);
  }
}

}  // namespace
}  // namespace lyre
