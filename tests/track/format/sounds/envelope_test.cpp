#include "track/format/sounds/envelope.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace lyre {
namespace {

struct Row {
  std::string duration;
  std::optional<std::string> curve;
  std::optional<EnvelopeStage> expected;  // none: `message` is the error
  std::string message;
};

TEST(ParseEnvelope, ReadsDurationAndCurve) {
  const Row rows[] = {
      {"0.5", std::nullopt, EnvelopeStage{0.5f, Curve::ease()}, ""},
      {"0.5", "linear", EnvelopeStage{0.5f, Curve::linear()}, ""},
      {"1.1", "ease-out", EnvelopeStage{1.1f, Curve{false, true}}, ""},
      {"2", "ease-in", EnvelopeStage{2, Curve{true, false}}, ""},
      {"0", "ease", EnvelopeStage{0, Curve::ease()}, ""},
      {"-3", std::nullopt, EnvelopeStage{-3, Curve::ease()}, ""},
      {"fast", std::nullopt, std::nullopt, "invalid number for duration: 'fast'"},
      {"fast", "smooth", std::nullopt, "invalid number for duration: 'fast'"},
      {"0.3", "smooth", std::nullopt,
       "unknown curve 'smooth' (expected linear, ease-in, ease-out or ease)"},
      {"0.3", "Ease", std::nullopt,
       "unknown curve 'Ease' (expected linear, ease-in, ease-out or ease)"},
  };
  for (const Row& row : rows) {
    std::optional<std::string_view> curve;
    if (row.curve) curve = *row.curve;
    auto stage = parse_envelope(row.duration, curve, 9);
    if (row.expected) {
      ASSERT_TRUE(stage.has_value()) << row.duration << ": " << stage.error().text();
      EXPECT_EQ(*stage, *row.expected) << row.duration;
    } else {
      ASSERT_FALSE(stage.has_value()) << row.duration;
      EXPECT_EQ(stage.error(), ParseError::line(9, row.message)) << row.duration;
    }
  }
}

}  // namespace
}  // namespace lyre
