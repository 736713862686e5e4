#include "track/format/layer_directive.h"

#include <array>
#include <string>
#include <utility>

#include "docformat/text.h"
#include "track/format/directive_table.h"
#include "track/format/sounds/effect.h"
#include "track/format/tokens.h"

namespace lyre {

namespace {

using Applied = std::expected<void, ParseError>;

Applied set_float(float& field, std::string_view argument, std::size_t n, std::string_view label) {
  return store(field, parse_float(argument, n, label));
}

Applied set_bool(bool& field, std::string_view argument, std::size_t n, std::string_view label) {
  return store(field, parse_bool(argument, n, label));
}

// "<length> [skip <value>]"
Applied apply_loop(Layer& layer, std::string_view argument, std::size_t n) {
  Tokens tokens(argument);
  auto length = parse_next_float(tokens, n, "loop", "loop needs a length");
  if (!length) return std::unexpected(length.error());
  float skip = 0.0f;
  if (auto word = tokens.next()) {
    if (*word != "skip") return fail(n, cat("unexpected loop token '", *word, "'"), *word);
    auto value = parse_next_float(tokens, n, "skip", "loop skip needs a value");
    if (!value) return std::unexpected(value.error());
    if (!tokens.empty()) return fail(n, "extra tokens after loop skip");
    skip = *value;
  }
  LayerDetails& details = layer.details.edit();
  details.loop_length = *length;
  details.loop_skip = skip;
  return {};
}

// "<value>" or "param <name> [scale]"; further tokens are ignored.
Applied apply_volume(Layer& layer, std::string_view argument, std::size_t n) {
  Tokens tokens(argument);
  auto first = tokens.next();
  if (!first) return fail(n, "@volume needs a value or 'param <name>'");
  if (*first == "param") {
    auto name = tokens.next();
    if (!name) return fail(n, "@volume param needs a parameter name");
    auto scale = parse_optional_float(tokens, n, "volume scale", 1.0f);
    if (!scale) return std::unexpected(scale.error());
    layer.details.edit().volume_param = VolumeParam{std::string(*name), *scale};
    return {};
  }
  auto value = parse_float(*first, n, "volume");
  if (!value) return std::unexpected(value.error());
  layer.volume = *value;
  // A plain volume after a parameter replaces it; most layers never had one.
  if (layer.details.is_set()) layer.details.edit().volume_param.reset();
  return {};
}

Applied apply_effect(Layer& layer, std::string_view argument, std::size_t n,
                     const docformat::LineAt& at) {
  auto effect = parse_effect(argument, n, at);
  if (!effect) return std::unexpected(effect.error());
  layer.effects.push_back(std::move(*effect));
  return {};
}

using LayerReader = Applied (*)(Layer&, std::string_view argument, std::size_t n,
                                const docformat::LineAt& at);

constexpr std::array<Directive<LayerReader>, 8> kLayerDirectives = {{
    {"pan", [](Layer& layer, std::string_view argument, std::size_t n,
               const docformat::LineAt&) { return set_float(layer.pan, argument, n, "pan"); }},
    {"root", [](Layer& layer, std::string_view argument, std::size_t n,
                const docformat::LineAt&) { return set_float(layer.root, argument, n, "root"); }},
    {"mute", [](Layer& layer, std::string_view argument, std::size_t n,
                const docformat::LineAt&) { return set_bool(layer.mute, argument, n, "mute"); }},
    {"solo", [](Layer& layer, std::string_view argument, std::size_t n,
                const docformat::LineAt&) { return set_bool(layer.solo, argument, n, "solo"); }},
    {"loop", [](Layer& layer, std::string_view argument, std::size_t n,
                const docformat::LineAt&) { return apply_loop(layer, argument, n); }},
    {"volume", [](Layer& layer, std::string_view argument, std::size_t n,
                  const docformat::LineAt&) { return apply_volume(layer, argument, n); }},
    {"effect", apply_effect},
    {"tuning",
     [](Layer& layer, std::string_view argument, std::size_t,
        const docformat::LineAt& at) -> Applied {
       LayerDetails& details = layer.details.edit();
       details.tuning = std::string(argument);
       details.tuning_at = at.of(argument);
       return {};
     }},
}};
static_assert(distinct_words(kLayerDirectives));

}  // namespace

// A word that no row has is the only error raised here; each reader checks
// its own argument.
Applied apply_layer_directive(Layer& layer, std::string_view name, std::string_view argument,
                              std::size_t n, const docformat::LineAt& at) {
  if (const LayerReader* read = find_directive(kLayerDirectives, name)) {
    return (*read)(layer, argument, n, at);
  }
  return fail(n, cat("unknown layer directive '", name, "'"), name);
}

}  // namespace lyre
