#include "track/format/layer_directive.h"

#include <gtest/gtest.h>

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

using test_support::Fails;

constexpr std::size_t kLine = 8;

template <class F>
Layer layer_with(F change) {
  Layer layer;
  change(layer);
  return layer;
}

// Directives (name, argument) applied in order to a default layer.
using Directives = std::vector<std::pair<std::string_view, std::string_view>>;
using Row = test_support::Row<Directives, Layer>;

std::expected<Layer, ParseError> apply_all(const Directives& directives) {
  Layer layer;
  for (const auto& [name, argument] : directives) {
    auto applied = apply_layer_directive(layer, name, argument, kLine);
    if (!applied) return std::unexpected(applied.error());
  }
  return layer;
}

TEST(ApplyLayerDirective, SetsTheMixSettingsAndAppendsEffects) {
  const float inf = std::numeric_limits<float>::infinity();
  const std::vector<Row> rows = {
      {{{"pan", "-0.2"}}, layer_with([](Layer& l) { l.pan = -0.2f; })},
      {{{"pan", "0.5"}, {"pan", "2"}}, layer_with([](Layer& l) { l.pan = 2.0f; })},
      {{{"root", "432"}}, layer_with([](Layer& l) { l.root = 432.0f; })},
      {{{"root", "-inf"}}, layer_with([&](Layer& l) { l.root = -inf; })},
      {{{"mute", "yes"}}, layer_with([](Layer& l) { l.mute = true; })},
      {{{"mute", "on"}, {"mute", ""}}, Layer{}},
      {{{"solo", "1"}}, layer_with([](Layer& l) { l.solo = true; })},
      {{{"solo", "true"}, {"solo", "off"}}, Layer{}},
      {{{"loop", "8"}}, layer_with([](Layer& l) { l.details.edit().loop_length = 8.0f; })},
      {{{"loop", "8 skip 2"}}, layer_with([](Layer& l) {
         l.details.edit().loop_length = 8.0f;
         l.details.edit().loop_skip = 2.0f;
       })},
      // A later loop without skip resets the skip.
      {{{"loop", "8 skip 2"}, {"loop", "0"}},
       layer_with([](Layer& l) { l.details.edit().loop_length = 0.0f; })},
      {{{"volume", "0.5"}}, layer_with([](Layer& l) { l.volume = 0.5f; })},
      {{{"volume", "0.3 junk"}}, layer_with([](Layer& l) { l.volume = 0.3f; })},
      {{{"volume", "0.5"}, {"volume", "param intensity"}}, layer_with([](Layer& l) {
         l.volume = 0.5f;
         l.details.edit().volume_param = VolumeParam{"intensity", 1.0f};
       })},
      {{{"volume", "param intensity 2 junk"}}, layer_with([](Layer& l) {
         l.details.edit().volume_param = VolumeParam{"intensity", 2.0f};
       })},
      {{{"volume", "param\u3000x"}}, layer_with([](Layer& l) {
         l.details.edit().volume_param = VolumeParam{"x", 1.0f};
       })},
      // A plain volume clears the parameter.
      {{{"volume", "param intensity"}, {"volume", "0.3"}},
       layer_with([](Layer& l) { l.volume = 0.3f; })},
      {{{"effect", "lowpass 1200"}, {"effect", "reverb hall"}}, layer_with([](Layer& l) {
         l.effects = {Effect{Effect::Lowpass{1200.0f}}, Effect{Effect::NamedReverb{"hall"}}};
       })},
      {{{"tuning", "just intonation"}},
       layer_with([](Layer& l) { l.details.edit().tuning = "just intonation"; })},
      {{{"tuning", "just"}, {"tuning", ""}},
       layer_with([](Layer& l) { l.details.edit().tuning = ""; })},
  };
  test_support::expect_rows(rows, apply_all);
}

// Only a layer with a volume parameter, a loop or a tuning pays for the box
// of details.
TEST(ApplyLayerDirective, BoxesDetailsOnlyForTheRareSettings) {
  const std::vector<test_support::Row<Directives, bool>> rows = {
      {{}, false},
      {{{"pan", "0.5"}, {"root", "432"}, {"mute", "on"}, {"solo", "on"}}, false},
      {{{"volume", "0.5"}, {"effect", "lowpass 1200"}}, false},
      {{{"loop", "8"}}, true},
      {{{"volume", "param intensity"}}, true},
      {{{"tuning", "just"}}, true},
  };
  test_support::expect_rows(rows, [](const Directives& directives) {
    return test_support::transform(apply_all(directives),
                                   [](const Layer& layer) { return layer.details.is_set(); });
  });
}

TEST(ApplyLayerDirective, StoresANanPanAsRead) {
  Layer layer;
  ASSERT_TRUE(apply_layer_directive(layer, "pan", "nan", kLine).has_value());
  EXPECT_TRUE(std::isnan(layer.pan));
}

TEST(ApplyLayerDirective, RejectsABadDirective) {
  const std::vector<Row> rows = {
      {{{"pan", "x"}}, Fails{"invalid number for pan: 'x'"}},
      {{{"pan", ""}}, Fails{"invalid number for pan: ''"}},
      {{{"pan", "1 2"}}, Fails{"invalid number for pan: '1 2'"}},
      {{{"root", "A4"}}, Fails{"invalid number for root: 'A4'"}},
      {{{"mute", "TRUE"}}, Fails{"invalid bool for mute: 'TRUE'"}},
      {{{"mute", "yes please"}}, Fails{"invalid bool for mute: 'yes please'"}},
      {{{"solo", "2"}}, Fails{"invalid bool for solo: '2'"}},
      {{{"loop", ""}}, Fails{"loop needs a length"}},
      {{{"loop", "x"}}, Fails{"invalid number for loop: 'x'"}},
      {{{"loop", "x skip"}}, Fails{"invalid number for loop: 'x'"}},
      {{{"loop", "8 skip"}}, Fails{"loop skip needs a value"}},
      {{{"loop", "8 skip x"}}, Fails{"invalid number for skip: 'x'"}},
      {{{"loop", "8 skip 2 3"}}, Fails{"extra tokens after loop skip"}},
      {{{"loop", "8 2"}}, Fails{"unexpected loop token '2'"}},
      {{{"loop", "8 Skip 2"}}, Fails{"unexpected loop token 'Skip'"}},
      {{{"volume", ""}}, Fails{"@volume needs a value or 'param <name>'"}},
      {{{"volume", "param"}}, Fails{"@volume param needs a parameter name"}},
      {{{"volume", "param x loud"}}, Fails{"invalid number for volume scale: 'loud'"}},
      {{{"volume", "x"}}, Fails{"invalid number for volume: 'x'"}},
      {{{"volume", "Param x"}}, Fails{"invalid number for volume: 'Param'"}},
      {{{"volume", "loud 1"}}, Fails{"invalid number for volume: 'loud'"}},
      {{{"effect", ""}}, Fails{"effect needs a type"}},
      {{{"effect", "Lowpass 1200"}}, Fails{"unknown effect 'Lowpass'"}},
      {{{"effect", "lowpass"}}, Fails{"effect 'lowpass' missing cutoff"}},
      {{{"bogus", "1"}}, Fails{"unknown layer directive 'bogus'"}},
      {{{"Mute", "1"}}, Fails{"unknown layer directive 'Mute'"}},
      {{{"Volume", "1"}}, Fails{"unknown layer directive 'Volume'"}},
      {{{"sound", "1"}}, Fails{"unknown layer directive 'sound'"}},
      {{{"attack", "1"}}, Fails{"unknown layer directive 'attack'"}},
      {{{"", ""}}, Fails{"unknown layer directive ''"}},
  };
  test_support::expect_rows(rows, apply_all, test_support::message_on_line(kLine));
}

}  // namespace
}  // namespace lyre
