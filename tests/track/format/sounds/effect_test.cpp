#include "track/format/sounds/effect.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "table_runner_test_support.h"
#include "track/line_error_test_support.h"

namespace lyre {
namespace {

using test_support::expect_rows;
using test_support::Fails;
using Row = test_support::Row<std::string_view, Effect>;

constexpr std::size_t kLine = 7;
constexpr float kInf = std::numeric_limits<float>::infinity();

auto read_effect(std::string_view text) { return parse_effect(text, kLine); }

TEST(ParseEffect, GivesTheRecord) {
  const std::vector<Row> rows = {
      // filters
      {"lowpass 1200", {Effect::Lowpass{1200}}},
      {"highpass 80", {Effect::Highpass{80}}},
      {"lowpass 1200 extra", {Effect::Lowpass{1200}}},
      {"lowpass -inf", {Effect::Lowpass{-kInf}}},
      {"lowpass -5", {Effect::Lowpass{-5}}},
      {"lowpass param cutoff_amt 8000 200", {Effect::LowpassParam{8000, 200, "cutoff_amt"}}},
      {"highpass param filter_amt 8000 200", {Effect::HighpassParam{8000, 200, "filter_amt"}}},
      {"lowpass param amt 1 2 extra", {Effect::LowpassParam{1, 2, "amt"}}},
      {"highpass param param 200 8000", {Effect::HighpassParam{200, 8000, "param"}}},
      // echo, tremolo, delay_sync
      {"echo 0.25 0.4 0.3", {Effect::Echo{0.25f, 0.4f, 0.3f}}},
      {"echo -1 2 3", {Effect::Echo{-1, 2, 3}}},
      {"tremolo 5 0.3 0.9", {Effect::Tremolo{5, 0.3f}}},
      {"delay_sync -1 0.5 0.3", {Effect::DelaySync{0, 0.5f, 0.3f}}},
      {"delay_sync nan 0.5 0.3", {Effect::DelaySync{0, 0.5f, 0.3f}}},
      {"delay_sync 1 2 3 4", {Effect::DelaySync{1, 2, 3}}},
      // bitcrusher
      {"bitcrusher 24", {Effect::Bitcrusher{16}}},
      {"bitcrusher 0", {Effect::Bitcrusher{1}}},
      {"bitcrusher 6.9", {Effect::Bitcrusher{6}}},
      {"bitcrusher 3.7", {Effect::Bitcrusher{3}}},
      {"bitcrusher 16", {Effect::Bitcrusher{16}}},
      {"bitcrusher nan", {Effect::Bitcrusher{0}}},
      {"bitcrusher inf", {Effect::Bitcrusher{16}}},
      {"bitcrusher -inf", {Effect::Bitcrusher{1}}},
      // compressor
      {"compressor 0.5 4", {Effect::Compressor{0.5f, 4, 0.005f, 0.1f}}},
      {"compressor 1.5 0.5 -1", {Effect::Compressor{1, 1, 0, 0.1f}}},
      {"compressor -2 nan 0.01 -3", {Effect::Compressor{0, 1, 0.01f, 0}}},
      {"compressor 0.5 4 0.01 0.2 junk", {Effect::Compressor{0.5f, 4, 0.01f, 0.2f}}},
      // eq
      {"eq -3 2", {Effect::Eq{-3, 2, 300, 3000}}},
      {"eq -3 2 0", {Effect::Eq{-3, 2, 1, 3000}}},
      {"eq -3 2 300 3000", {Effect::Eq{-3, 2, 300, 3000}}},
      {"eq -30 20 0.5 -7", {Effect::Eq{-30, 20, 1, 1}}},
      {"eq 1 1 nan nan extra", {Effect::Eq{1, 1, 1, 1}}},
      // reverb
      {"reverb hall", {Effect::NamedReverb{"hall"}}},
      {"reverb hall x y", {Effect::NamedReverb{"hall"}}},
      {"reverb 1e 1 1", {Effect::NamedReverb{"1e"}}},
      {"reverb 0x10", {Effect::NamedReverb{"0x10"}}},
      {"reverb 2 -1 0.5", {Effect::Reverb{1, 0, 0.5f, 0.01f}}},
      {"reverb 0.5 0.5 0.5 0.02", {Effect::Reverb{0.5f, 0.5f, 0.5f, 0.02f}}},
      {"reverb 0.5 0.5 0.5 -1 junk", {Effect::Reverb{0.5f, 0.5f, 0.5f, 0}}},
      {"reverb 0.5 0.5 3 7", {Effect::Reverb{0.5f, 0.5f, 1, 7}}},
      {"reverb -inf inf 0 nan", {Effect::Reverb{0, 1, 0, 0}}},
      // white space between tokens
      {"  lowpass \t 1200  ", {Effect::Lowpass{1200}}},
  };
  expect_rows(rows, read_effect);
}

// NaN never compares equal, so these rows dump the numeric fields instead,
// NaN as "nan" and every other value in its shortest exact form.
std::string numeric_fields(const Effect& effect) {
  std::vector<float> fields;
  if (auto* e = std::get_if<Effect::Lowpass>(&effect.kind)) fields = {e->cutoff};
  if (auto* e = std::get_if<Effect::Echo>(&effect.kind)) fields = {e->delay, e->feedback, e->mix};
  if (auto* e = std::get_if<Effect::Compressor>(&effect.kind)) {
    fields = {e->threshold, e->ratio, e->attack, e->release};
  }
  if (auto* e = std::get_if<Effect::Reverb>(&effect.kind)) {
    fields = {e->room_size, e->decay, e->mix, e->predelay};
  }
  std::string dump;
  for (float field : fields) {
    char number[32];
    const auto end = std::to_chars(number, number + sizeof number, field).ptr;
    if (!dump.empty()) dump += ' ';
    dump += std::isnan(field) ? std::string("nan") : std::string(number, end);
  }
  return dump;
}

TEST(ParseEffect, KeepsNanOnlyWhereNoClampApplies) {
  const std::vector<test_support::Row<std::string_view, std::string>> rows = {
      {"lowpass nan", "nan"},
      {"echo nan nan nan", "nan nan nan"},
      {"compressor nan nan nan nan", "nan 1 0 0"},
      {"reverb nan nan nan nan", "nan nan nan 0"},
      {"reverb NaN 1 -nan", "nan 1 nan 0.01"},
  };
  expect_rows(rows, [](std::string_view text) {
    return test_support::transform(parse_effect(text, 1), numeric_fields);
  });
}

TEST(ParseEffect, WithTheLineError) {
  const std::vector<Row> rows = {
      {"", Fails{"effect needs a type"}},
      {" \t ", Fails{"effect needs a type"}},
      {"Lowpass 1200", Fails{"unknown effect 'Lowpass'"}},
      {"chorus 1", Fails{"unknown effect 'chorus'"}},
      // filters
      {"lowpass", Fails{"effect 'lowpass' missing cutoff"}},
      {"highpass", Fails{"effect 'highpass' missing cutoff"}},
      {"lowpass warm", Fails{"invalid number for cutoff: 'warm'"}},
      {"highpass Param x", Fails{"invalid number for cutoff: 'Param'"}},
      {"lowpass param", Fails{"effect 'lowpass param' needs a parameter name"}},
      {"highpass param", Fails{"effect 'highpass param' needs a parameter name"}},
      {"lowpass param amt", Fails{"effect 'lowpass param' missing max cutoff"}},
      {"highpass param filter_amt 8000", Fails{"effect 'highpass param' missing min cutoff"}},
      {"lowpass param amt x 1", Fails{"invalid number for max cutoff: 'x'"}},
      {"highpass param amt 1 y", Fails{"invalid number for min cutoff: 'y'"}},
      // echo
      {"echo", Fails{"effect 'echo' missing delay"}},
      {"echo 0.25", Fails{"effect 'echo' missing feedback"}},
      {"echo 0.25 0.4", Fails{"effect 'echo' missing mix"}},
      {"echo x", Fails{"invalid number for delay: 'x'"}},
      {"echo 1 x", Fails{"invalid number for feedback: 'x'"}},
      {"echo 1 1 1,5", Fails{"invalid number for mix: '1,5'"}},
      // tremolo
      {"tremolo", Fails{"effect 'tremolo' missing rate"}},
      {"tremolo 5", Fails{"effect 'tremolo' missing depth"}},
      {"tremolo fast 1", Fails{"invalid number for rate: 'fast'"}},
      {"tremolo 5 deep", Fails{"invalid number for depth: 'deep'"}},
      // bitcrusher
      {"bitcrusher", Fails{"effect 'bitcrusher' missing bits"}},
      {"bitcrusher eight", Fails{"invalid number for bits: 'eight'"}},
      // compressor
      {"compressor", Fails{"effect 'compressor' missing threshold"}},
      {"compressor 0.5", Fails{"effect 'compressor' missing ratio"}},
      {"compressor x", Fails{"invalid number for threshold: 'x'"}},
      {"compressor 0.5 x", Fails{"invalid number for ratio: 'x'"}},
      {"compressor 0.5 4 x", Fails{"invalid number for compressor attack: 'x'"}},
      {"compressor 0.5 4 0.01 x", Fails{"invalid number for compressor release: 'x'"}},
      // eq
      {"eq", Fails{"effect 'eq' missing low_db"}},
      {"eq -3", Fails{"effect 'eq' missing high_db"}},
      {"eq x 2", Fails{"invalid number for low_db: 'x'"}},
      {"eq -3 x", Fails{"invalid number for high_db: 'x'"}},
      {"eq -3 2 low", Fails{"invalid number for eq low_freq: 'low'"}},
      {"eq -3 2 300 high", Fails{"invalid number for eq high_freq: 'high'"}},
      // delay_sync
      {"delay_sync", Fails{"effect 'delay_sync' missing beats"}},
      {"delay_sync 1", Fails{"effect 'delay_sync' missing feedback"}},
      {"delay_sync 1 0.5", Fails{"effect 'delay_sync' missing mix"}},
      {"delay_sync x", Fails{"invalid number for beats: 'x'"}},
      {"delay_sync 1 x 1", Fails{"invalid number for feedback: 'x'"}},
      {"delay_sync 1 1 x", Fails{"invalid number for mix: 'x'"}},
      // reverb
      {"reverb", Fails{"effect 'reverb' missing room_size"}},
      {"reverb 0.5", Fails{"effect 'reverb' missing decay"}},
      {"reverb 0.5 0.5", Fails{"effect 'reverb' missing mix"}},
      {"reverb 1 hall", Fails{"invalid number for decay: 'hall'"}},
      {"reverb 0.5 0.5 x", Fails{"invalid number for mix: 'x'"}},
      {"reverb 0.5 0.5 0.5 x", Fails{"invalid number for reverb predelay: 'x'"}},
      {"reverb inf x", Fails{"invalid number for decay: 'x'"}},
  };
  expect_rows(rows, read_effect, test_support::message_on_line(kLine));
}

TEST(TakeFloat, NamesTheEffectAndTheLabel) {
  // The number read, then the tokens left.
  const std::vector<test_support::Row<std::string_view, std::pair<float, std::string>>> rows = {
      {"2.5 rest", {2.5f, "rest"}},
      {"", Fails{"effect 'echo' missing delay"}},
      {"abc", Fails{"invalid number for delay: 'abc'"}},
  };
  expect_rows(
      rows,
      [](std::string_view text) {
        Tokens tokens(text);
        return test_support::transform(take_float(tokens, "delay", "echo", 3), [&](float value) {
          return std::pair{value, std::string(tokens.rest())};
        });
      },
      test_support::message_on_line(3));
}

}  // namespace
}  // namespace lyre
