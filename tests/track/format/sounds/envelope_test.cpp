#include "track/format/sounds/envelope.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "table_runner_test_support.h"
#include "track/format/tokens.h"
#include "track/line_error_test_support.h"

namespace lyre {
namespace {

using test_support::Fails;

TEST(ParseEnvelope, ReadsDurationAndCurve) {
  // The duration, then the curve word if there is one.
  const std::vector<test_support::Row<std::string_view, EnvelopeStage>> rows = {
      {"0.5", EnvelopeStage{0.5f, Curve::ease()}},
      {"0.5 linear", EnvelopeStage{0.5f, Curve::linear()}},
      {"1.1 ease-out", EnvelopeStage{1.1f, Curve{false, true}}},
      {"2 ease-in", EnvelopeStage{2, Curve{true, false}}},
      {"0 ease", EnvelopeStage{0, Curve::ease()}},
      {"-3", EnvelopeStage{-3, Curve::ease()}},
      {"fast", Fails{"invalid number for duration: 'fast'"}},
      {"fast smooth", Fails{"invalid number for duration: 'fast'"}},
      {"0.3 smooth", Fails{"unknown curve 'smooth' (expected linear, ease-in, ease-out or ease)"}},
      {"0.3 Ease", Fails{"unknown curve 'Ease' (expected linear, ease-in, ease-out or ease)"}},
  };
  test_support::expect_rows(
      rows,
      [](std::string_view words) {
        Tokens tokens(words);
        const std::string_view duration = *tokens.next();
        return parse_envelope(duration, tokens.next(), 9);
      },
      test_support::message_on_line(9));
}

}  // namespace
}  // namespace lyre
