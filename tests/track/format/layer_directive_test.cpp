#include "track/format/layer_directive.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace lyre {
namespace {

constexpr std::size_t kLine = 8;

struct Directive {
  std::string_view name;
  std::string_view argument;
};

template <class F>
Layer layer_with(F change) {
  Layer layer;
  change(layer);
  return layer;
}

struct Accepted {
  std::vector<Directive> directives;  // applied in order to a default layer
  Layer expected;
};

TEST(ApplyLayerDirective, SetsTheMixSettingsAndAppendsEffects) {
  const float inf = std::numeric_limits<float>::infinity();
  const std::vector<Accepted> cases = {
      {{{"pan", "-0.2"}}, layer_with([](Layer& l) { l.pan = -0.2f; })},
      {{{"pan", "0.5"}, {"pan", "2"}}, layer_with([](Layer& l) { l.pan = 2.0f; })},
      {{{"root", "432"}}, layer_with([](Layer& l) { l.root = 432.0f; })},
      {{{"root", "-inf"}}, layer_with([&](Layer& l) { l.root = -inf; })},
      {{{"mute", "yes"}}, layer_with([](Layer& l) { l.mute = true; })},
      {{{"mute", "on"}, {"mute", ""}}, Layer{}},
      {{{"solo", "1"}}, layer_with([](Layer& l) { l.solo = true; })},
      {{{"solo", "true"}, {"solo", "off"}}, Layer{}},
      {{{"loop", "8"}}, layer_with([](Layer& l) { l.loop_length = 8.0f; })},
      {{{"loop", "8 skip 2"}}, layer_with([](Layer& l) {
         l.loop_length = 8.0f;
         l.loop_skip = 2.0f;
       })},
      // A later loop without skip resets the skip.
      {{{"loop", "8 skip 2"}, {"loop", "0"}}, layer_with([](Layer& l) { l.loop_length = 0.0f; })},
      {{{"volume", "0.5"}}, layer_with([](Layer& l) { l.volume = 0.5f; })},
      {{{"volume", "0.3 junk"}}, layer_with([](Layer& l) { l.volume = 0.3f; })},
      {{{"volume", "0.5"}, {"volume", "param intensity"}}, layer_with([](Layer& l) {
         l.volume = 0.5f;
         l.volume_param = VolumeParam{"intensity", 1.0f};
       })},
      {{{"volume", "param intensity 2 junk"}}, layer_with([](Layer& l) {
         l.volume_param = VolumeParam{"intensity", 2.0f};
       })},
      {{{"volume", "param\u3000x"}}, layer_with([](Layer& l) {
         l.volume_param = VolumeParam{"x", 1.0f};
       })},
      // A plain volume clears the parameter.
      {{{"volume", "param intensity"}, {"volume", "0.3"}},
       layer_with([](Layer& l) { l.volume = 0.3f; })},
      {{{"effect", "lowpass 1200"}, {"effect", "reverb hall"}}, layer_with([](Layer& l) {
         l.effects = {Effect{Effect::Lowpass{1200.0f}}, Effect{Effect::NamedReverb{"hall"}}};
       })},
      {{{"tuning", "just intonation"}}, layer_with([](Layer& l) { l.tuning = "just intonation"; })},
      {{{"tuning", "just"}, {"tuning", ""}}, layer_with([](Layer& l) { l.tuning = ""; })},
  };
  for (const Accepted& c : cases) {
    SCOPED_TRACE(std::string(c.directives.front().name) + " " +
                 std::string(c.directives.front().argument));
    Layer layer;
    for (const Directive& d : c.directives) {
      auto applied = apply_layer_directive(layer, d.name, d.argument, kLine);
      ASSERT_TRUE(applied.has_value()) << applied.error().text();
    }
    EXPECT_EQ(layer, c.expected);
  }
}

TEST(ApplyLayerDirective, StoresANanPanAsRead) {
  Layer layer;
  ASSERT_TRUE(apply_layer_directive(layer, "pan", "nan", kLine).has_value());
  EXPECT_TRUE(std::isnan(layer.pan));
}

struct Rejected {
  Directive directive;
  std::string_view message;
};

TEST(ApplyLayerDirective, RejectsABadDirective) {
  const std::vector<Rejected> cases = {
      {{"pan", "x"}, "invalid number for pan: 'x'"},
      {{"pan", ""}, "invalid number for pan: ''"},
      {{"pan", "1 2"}, "invalid number for pan: '1 2'"},
      {{"root", "A4"}, "invalid number for root: 'A4'"},
      {{"mute", "TRUE"}, "invalid bool for mute: 'TRUE'"},
      {{"mute", "yes please"}, "invalid bool for mute: 'yes please'"},
      {{"solo", "2"}, "invalid bool for solo: '2'"},
      {{"loop", ""}, "loop needs a length"},
      {{"loop", "x"}, "invalid number for loop: 'x'"},
      {{"loop", "x skip"}, "invalid number for loop: 'x'"},
      {{"loop", "8 skip"}, "loop skip needs a value"},
      {{"loop", "8 skip x"}, "invalid number for skip: 'x'"},
      {{"loop", "8 skip 2 3"}, "extra tokens after loop skip"},
      {{"loop", "8 2"}, "unexpected loop token '2'"},
      {{"loop", "8 Skip 2"}, "unexpected loop token 'Skip'"},
      {{"volume", ""}, "@volume needs a value or 'param <name>'"},
      {{"volume", "param"}, "@volume param needs a parameter name"},
      {{"volume", "param x loud"}, "invalid number for volume scale: 'loud'"},
      {{"volume", "x"}, "invalid number for volume: 'x'"},
      {{"volume", "Param x"}, "invalid number for volume: 'Param'"},
      {{"volume", "loud 1"}, "invalid number for volume: 'loud'"},
      {{"effect", ""}, "effect needs a type"},
      {{"effect", "Lowpass 1200"}, "unknown effect 'Lowpass'"},
      {{"effect", "lowpass"}, "effect 'lowpass' missing cutoff"},
      {{"bogus", "1"}, "unknown layer directive 'bogus'"},
      {{"Mute", "1"}, "unknown layer directive 'Mute'"},
      {{"Volume", "1"}, "unknown layer directive 'Volume'"},
      {{"sound", "1"}, "unknown layer directive 'sound'"},
      {{"attack", "1"}, "unknown layer directive 'attack'"},
      {{"", ""}, "unknown layer directive ''"},
  };
  for (const Rejected& c : cases) {
    SCOPED_TRACE(c.message);
    Layer layer;
    auto applied = apply_layer_directive(layer, c.directive.name, c.directive.argument, kLine);
    ASSERT_FALSE(applied.has_value());
    EXPECT_EQ(applied.error().text(), "line 8: " + std::string(c.message));
  }
}

}  // namespace
}  // namespace lyre
