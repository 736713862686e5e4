#include "track/format/sounds/effect.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace lyre {
namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();

struct Accepted {
  std::string text;
  Effect expected;
};

class EffectAccepted : public testing::TestWithParam<Accepted> {};

TEST_P(EffectAccepted, GivesTheRecord) {
  auto effect = parse_effect(GetParam().text, 4);
  ASSERT_TRUE(effect.has_value()) << effect.error().text();
  EXPECT_EQ(*effect, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Words, EffectAccepted,
    testing::Values(
        // filters
        Accepted{"lowpass 1200", {Effect::Lowpass{1200}}},
        Accepted{"highpass 80", {Effect::Highpass{80}}},
        Accepted{"lowpass 1200 extra", {Effect::Lowpass{1200}}},
        Accepted{"lowpass -inf", {Effect::Lowpass{-kInf}}},
        Accepted{"lowpass -5", {Effect::Lowpass{-5}}},
        Accepted{"lowpass param cutoff_amt 8000 200",
                 {Effect::LowpassParam{8000, 200, "cutoff_amt"}}},
        Accepted{"highpass param filter_amt 8000 200",
                 {Effect::HighpassParam{8000, 200, "filter_amt"}}},
        Accepted{"lowpass param amt 1 2 extra", {Effect::LowpassParam{1, 2, "amt"}}},
        Accepted{"highpass param param 200 8000", {Effect::HighpassParam{200, 8000, "param"}}},
        // echo, tremolo, delay_sync
        Accepted{"echo 0.25 0.4 0.3", {Effect::Echo{0.25f, 0.4f, 0.3f}}},
        Accepted{"echo -1 2 3", {Effect::Echo{-1, 2, 3}}},
        Accepted{"tremolo 5 0.3 0.9", {Effect::Tremolo{5, 0.3f}}},
        Accepted{"delay_sync -1 0.5 0.3", {Effect::DelaySync{0, 0.5f, 0.3f}}},
        Accepted{"delay_sync nan 0.5 0.3", {Effect::DelaySync{0, 0.5f, 0.3f}}},
        Accepted{"delay_sync 1 2 3 4", {Effect::DelaySync{1, 2, 3}}},
        // bitcrusher
        Accepted{"bitcrusher 24", {Effect::Bitcrusher{16}}},
        Accepted{"bitcrusher 0", {Effect::Bitcrusher{1}}},
        Accepted{"bitcrusher 6.9", {Effect::Bitcrusher{6}}},
        Accepted{"bitcrusher 3.7", {Effect::Bitcrusher{3}}},
        Accepted{"bitcrusher 16", {Effect::Bitcrusher{16}}},
        Accepted{"bitcrusher nan", {Effect::Bitcrusher{0}}},
        Accepted{"bitcrusher inf", {Effect::Bitcrusher{16}}},
        Accepted{"bitcrusher -inf", {Effect::Bitcrusher{1}}},
        // compressor
        Accepted{"compressor 0.5 4", {Effect::Compressor{0.5f, 4, 0.005f, 0.1f}}},
        Accepted{"compressor 1.5 0.5 -1", {Effect::Compressor{1, 1, 0, 0.1f}}},
        Accepted{"compressor -2 nan 0.01 -3", {Effect::Compressor{0, 1, 0.01f, 0}}},
        Accepted{"compressor 0.5 4 0.01 0.2 junk", {Effect::Compressor{0.5f, 4, 0.01f, 0.2f}}},
        // eq
        Accepted{"eq -3 2", {Effect::Eq{-3, 2, 300, 3000}}},
        Accepted{"eq -3 2 0", {Effect::Eq{-3, 2, 1, 3000}}},
        Accepted{"eq -3 2 300 3000", {Effect::Eq{-3, 2, 300, 3000}}},
        Accepted{"eq -30 20 0.5 -7", {Effect::Eq{-30, 20, 1, 1}}},
        Accepted{"eq 1 1 nan nan extra", {Effect::Eq{1, 1, 1, 1}}},
        // reverb
        Accepted{"reverb hall", {Effect::NamedReverb{"hall"}}},
        Accepted{"reverb hall x y", {Effect::NamedReverb{"hall"}}},
        Accepted{"reverb 1e 1 1", {Effect::NamedReverb{"1e"}}},
        Accepted{"reverb 0x10", {Effect::NamedReverb{"0x10"}}},
        Accepted{"reverb 2 -1 0.5", {Effect::Reverb{1, 0, 0.5f, 0.01f}}},
        Accepted{"reverb 0.5 0.5 0.5 0.02", {Effect::Reverb{0.5f, 0.5f, 0.5f, 0.02f}}},
        Accepted{"reverb 0.5 0.5 0.5 -1 junk", {Effect::Reverb{0.5f, 0.5f, 0.5f, 0}}},
        Accepted{"reverb 0.5 0.5 3 7", {Effect::Reverb{0.5f, 0.5f, 1, 7}}},
        Accepted{"reverb -inf inf 0 nan", {Effect::Reverb{0, 1, 0, 0}}},
        // white space between tokens
        Accepted{"  lowpass \t 1200  ", {Effect::Lowpass{1200}}}));

// NaN never compares equal, so these rows list the numeric fields instead.
struct KeepsNan {
  std::string text;
  std::vector<float> fields;  // NaN where NaN must stay
};

std::vector<float> numeric_fields(const Effect& effect) {
  if (auto* e = std::get_if<Effect::Lowpass>(&effect.kind)) return {e->cutoff};
  if (auto* e = std::get_if<Effect::Echo>(&effect.kind)) return {e->delay, e->feedback, e->mix};
  if (auto* e = std::get_if<Effect::Compressor>(&effect.kind)) {
    return {e->threshold, e->ratio, e->attack, e->release};
  }
  if (auto* e = std::get_if<Effect::Reverb>(&effect.kind)) {
    return {e->room_size, e->decay, e->mix, e->predelay};
  }
  return {};
}

class EffectKeepsNan : public testing::TestWithParam<KeepsNan> {};

TEST_P(EffectKeepsNan, OnlyWhereNoClampApplies) {
  auto effect = parse_effect(GetParam().text, 1);
  ASSERT_TRUE(effect.has_value()) << effect.error().text();
  const std::vector<float> fields = numeric_fields(*effect);
  const std::vector<float>& expected = GetParam().fields;
  ASSERT_EQ(fields.size(), expected.size());
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (std::isnan(expected[i])) {
      EXPECT_TRUE(std::isnan(fields[i])) << "field " << i;
    } else {
      EXPECT_EQ(fields[i], expected[i]) << "field " << i;
    }
  }
}

constexpr float kNan = std::numeric_limits<float>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(Nan, EffectKeepsNan,
                         testing::Values(KeepsNan{"lowpass nan", {kNan}},
                                         KeepsNan{"echo nan nan nan", {kNan, kNan, kNan}},
                                         KeepsNan{"compressor nan nan nan nan", {kNan, 1, 0, 0}},
                                         KeepsNan{"reverb nan nan nan nan", {kNan, kNan, kNan, 0}},
                                         KeepsNan{"reverb NaN 1 -nan", {kNan, 1, kNan, 0.01f}}));

struct Rejected {
  std::string text;
  std::string message;
};

class EffectRejected : public testing::TestWithParam<Rejected> {};

TEST_P(EffectRejected, WithTheLineError) {
  auto effect = parse_effect(GetParam().text, 7);
  ASSERT_FALSE(effect.has_value());
  EXPECT_EQ(effect.error(), ParseError::line(7, GetParam().message));
}

INSTANTIATE_TEST_SUITE_P(
    Messages, EffectRejected,
    testing::Values(
        Rejected{"", "effect needs a type"}, Rejected{" \t ", "effect needs a type"},
        Rejected{"Lowpass 1200", "unknown effect 'Lowpass'"},
        Rejected{"chorus 1", "unknown effect 'chorus'"},
        // filters
        Rejected{"lowpass", "effect 'lowpass' missing cutoff"},
        Rejected{"highpass", "effect 'highpass' missing cutoff"},
        Rejected{"lowpass warm", "invalid number for cutoff: 'warm'"},
        Rejected{"highpass Param x", "invalid number for cutoff: 'Param'"},
        Rejected{"lowpass param", "effect 'lowpass param' needs a parameter name"},
        Rejected{"highpass param", "effect 'highpass param' needs a parameter name"},
        Rejected{"lowpass param amt", "effect 'lowpass param' missing max cutoff"},
        Rejected{"highpass param filter_amt 8000", "effect 'highpass param' missing min cutoff"},
        Rejected{"lowpass param amt x 1", "invalid number for max cutoff: 'x'"},
        Rejected{"highpass param amt 1 y", "invalid number for min cutoff: 'y'"},
        // echo
        Rejected{"echo", "effect 'echo' missing delay"},
        Rejected{"echo 0.25", "effect 'echo' missing feedback"},
        Rejected{"echo 0.25 0.4", "effect 'echo' missing mix"},
        Rejected{"echo x", "invalid number for delay: 'x'"},
        Rejected{"echo 1 x", "invalid number for feedback: 'x'"},
        Rejected{"echo 1 1 1,5", "invalid number for mix: '1,5'"},
        // tremolo
        Rejected{"tremolo", "effect 'tremolo' missing rate"},
        Rejected{"tremolo 5", "effect 'tremolo' missing depth"},
        Rejected{"tremolo fast 1", "invalid number for rate: 'fast'"},
        Rejected{"tremolo 5 deep", "invalid number for depth: 'deep'"},
        // bitcrusher
        Rejected{"bitcrusher", "effect 'bitcrusher' missing bits"},
        Rejected{"bitcrusher eight", "invalid number for bits: 'eight'"},
        // compressor
        Rejected{"compressor", "effect 'compressor' missing threshold"},
        Rejected{"compressor 0.5", "effect 'compressor' missing ratio"},
        Rejected{"compressor x", "invalid number for threshold: 'x'"},
        Rejected{"compressor 0.5 x", "invalid number for ratio: 'x'"},
        Rejected{"compressor 0.5 4 x", "invalid number for compressor attack: 'x'"},
        Rejected{"compressor 0.5 4 0.01 x", "invalid number for compressor release: 'x'"},
        // eq
        Rejected{"eq", "effect 'eq' missing low_db"},
        Rejected{"eq -3", "effect 'eq' missing high_db"},
        Rejected{"eq x 2", "invalid number for low_db: 'x'"},
        Rejected{"eq -3 x", "invalid number for high_db: 'x'"},
        Rejected{"eq -3 2 low", "invalid number for eq low_freq: 'low'"},
        Rejected{"eq -3 2 300 high", "invalid number for eq high_freq: 'high'"},
        // delay_sync
        Rejected{"delay_sync", "effect 'delay_sync' missing beats"},
        Rejected{"delay_sync 1", "effect 'delay_sync' missing feedback"},
        Rejected{"delay_sync 1 0.5", "effect 'delay_sync' missing mix"},
        Rejected{"delay_sync x", "invalid number for beats: 'x'"},
        Rejected{"delay_sync 1 x 1", "invalid number for feedback: 'x'"},
        Rejected{"delay_sync 1 1 x", "invalid number for mix: 'x'"},
        // reverb
        Rejected{"reverb", "effect 'reverb' missing room_size"},
        Rejected{"reverb 0.5", "effect 'reverb' missing decay"},
        Rejected{"reverb 0.5 0.5", "effect 'reverb' missing mix"},
        Rejected{"reverb 1 hall", "invalid number for decay: 'hall'"},
        Rejected{"reverb 0.5 0.5 x", "invalid number for mix: 'x'"},
        Rejected{"reverb 0.5 0.5 0.5 x", "invalid number for reverb predelay: 'x'"},
        Rejected{"reverb inf x", "invalid number for decay: 'x'"}));

struct Taken {
  std::string text;
  std::string message;  // empty: the number 2.5 is read
};

TEST(TakeFloat, NamesTheEffectAndTheLabel) {
  const Taken cases[] = {
      {"2.5 rest", ""},
      {"", "line 3: effect 'echo' missing delay"},
      {"abc", "line 3: invalid number for delay: 'abc'"},
  };
  for (const Taken& row : cases) {
    Tokens tokens(row.text);
    auto value = take_float(tokens, "delay", "echo", 3);
    if (row.message.empty()) {
      ASSERT_TRUE(value.has_value()) << row.text;
      EXPECT_EQ(*value, 2.5f);
      EXPECT_EQ(tokens.rest(), "rest");
    } else {
      ASSERT_FALSE(value.has_value()) << row.text;
      EXPECT_EQ(value.error().text(), row.message) << row.text;
    }
  }
}

}  // namespace
}  // namespace lyre
