#include "track/format/sounds/harmonic_line.h"

#include <string>

#include "docformat/text.h"
#include "track/format/sounds/waveform_alias.h"
#include "track/format/tokens.h"

namespace lyre {

namespace {

// `wave <name> <weight>` or `wave@<multiplier> <name> <weight>`.
std::expected<Harmonic, ParseError> parse_wave_form(std::string_view first, Tokens& tokens,
                                                    std::size_t line, const docformat::LineAt& at) {
  float multiplier = 1.0f;
  if (first != "wave") {
    auto value = parse_float(first.substr(first.find('@') + 1), line, "multiplier");
    if (!value) return std::unexpected(value.error());
    multiplier = *value;
  }
  auto name = tokens.next();
  if (!name) return fail(line, "wave needs <name> <weight>");
  auto weight = parse_next_float(tokens, line, "wave weight");
  if (!weight) return std::unexpected(weight.error());
  return Harmonic{std::string(*name), multiplier, *weight, 0.0f, at.of(*name)};
}

struct Source {
  std::string_view name;
  float multiplier;
};

// Names written without `@`, including the three interval words.
Source plain_source(std::string_view name) {
  if (name == "sub") return {"triangle", 0.5f};
  if (name == "fifth") return {"sine", 1.5f};
  if (name == "octave") return {"sine", 2.0f};
  return {expand_waveform_alias(name), 1.0f};
}

// `<waveform>[@<multiplier>] <weight> [duty <width>]`; the weight is read
// before the multiplier.
std::expected<Harmonic, ParseError> parse_plain_form(std::string_view first, Tokens& tokens,
                                                     std::size_t line,
                                                     const docformat::LineAt& at) {
  auto weight_token = tokens.next();
  if (!weight_token) return fail(line, cat("missing weight for '", first, "'"), first);
  auto weight = parse_float(*weight_token, line, first);
  if (!weight) return std::unexpected(weight.error());
  Source source{first, 1.0f};
  if (const std::size_t at = first.find('@'); at != std::string_view::npos) {
    auto multiplier = parse_float(first.substr(at + 1), line, "multiplier");
    if (!multiplier) return std::unexpected(multiplier.error());
    source = {expand_waveform_alias(first.substr(0, at)), *multiplier};
  } else {
    source = plain_source(first);
  }
  float duty = 0.0f;
  if (auto token = tokens.next()) {
    if (*token != "duty") {
      return fail(line, cat("unexpected harmonic token '", *token, "' (only 'duty <width>')"),
                  *token);
    }
    auto width = parse_next_float(tokens, line, "duty");
    if (!width) return std::unexpected(width.error());
    if (!(*width >= 0.0f && *width <= 1.0f)) {
      return fail(line, "duty must be within 0..1");
    }
    duty = *width;
  }
  // Placed as written, the multiplier left out.
  return Harmonic{std::string(source.name), source.multiplier, *weight, duty,
                  at.of(first.substr(0, first.find('@')))};
}

}  // namespace

std::expected<void, ParseError> apply_harmonic_line(Sound& sound, std::string_view line,
                                                    std::size_t n, const docformat::LineAt& at) {
  Tokens tokens(line);
  auto first = tokens.next();
  if (!first) return fail(n, "empty harmonic line");
  auto harmonic = (*first == "wave" || first->starts_with("wave@"))
                      ? parse_wave_form(*first, tokens, n, at)
                      : parse_plain_form(*first, tokens, n, at);
  if (!harmonic) return std::unexpected(harmonic.error());
  sound.harmonics.push_back(std::move(*harmonic));
  return {};
}

}  // namespace lyre
