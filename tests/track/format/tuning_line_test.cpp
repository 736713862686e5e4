#include "track/format/tuning_line.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "lyre/docformat/parse_error.h"

namespace lyre {
namespace {

std::expected<Tuning, docformat::ParseError> parse_body(const std::vector<std::string>& body) {
  std::vector<std::string_view> lines(body.begin(), body.end());
  return Tuning::parse(lines);
}

struct Accepted {
  std::vector<std::string> body;
  std::vector<float> ratios;
  float period;
};

class TuningAccepted : public testing::TestWithParam<Accepted> {};

TEST_P(TuningAccepted, ReadsAndNormalises) {
  auto tuning = parse_body(GetParam().body);
  ASSERT_TRUE(tuning.has_value()) << tuning.error().text();
  EXPECT_EQ(tuning->ratios(), GetParam().ratios);
  EXPECT_EQ(tuning->period, GetParam().period);
}

INSTANTIATE_TEST_SUITE_P(
    Bodies, TuningAccepted,
    testing::Values(
        Accepted{{}, {1.0f}, 2.0f}, Accepted{{"", "  "}, {1.0f}, 2.0f},
        Accepted{{"1", "9/8", "5/4"}, {1.0f, 1.125f, 1.25f}, 2.0f},
        Accepted{{"1 9/8 5/4 4/3 3/2"}, {1.0f, 1.125f, 1.25f, 4.0f / 3.0f, 1.5f}, 2.0f},
        // divided by the first ratio unless it is 0 or 1
        Accepted{{"2", "4"}, {1.0f, 2.0f}, 2.0f}, Accepted{{"4 2"}, {1.0f, 0.5f}, 2.0f},
        Accepted{{"0", "3"}, {0.0f, 3.0f}, 2.0f}, Accepted{{"-2 1"}, {1.0f, -0.5f}, 2.0f},
        // equal steps
        Accepted{{"equal 0"}, {1.0f}, 2.0f}, Accepted{{"equal 1"}, {1.0f}, 2.0f},
        Accepted{{"equal +2"}, {1.0f, 1.41421354f}, 2.0f},
        Accepted{{"equal 3 junk"}, {1.0f, 1.25992107f, 1.58740103f}, 2.0f},
        Accepted{{"equal 4"}, {1.0f, 1.18920708f, 1.41421354f, 1.68179286f}, 2.0f},
        // earlier ratios and period are dropped; later ratios are appended unscaled
        Accepted{{"3/2", "equal 2", "9/8", "period 3"}, {1.0f, 1.41421354f, 1.125f}, 3.0f},
        Accepted{{"period 3", "equal 2"}, {1.0f, 1.41421354f}, 2.0f},
        Accepted{{"equal 4", "equal 2"}, {1.0f, 1.41421354f}, 2.0f},
        Accepted{{"equal 2", "equal 0", "3"}, {1.0f, 3.0f}, 2.0f},
        // period
        Accepted{{"period 3/2"}, {1.0f}, 1.5f}, Accepted{{"period 3 x", "2"}, {1.0f}, 3.0f}));

struct Rejected {
  std::vector<std::string> body;
  std::size_t line;
  std::string message;
};

class TuningRejected : public testing::TestWithParam<Rejected> {};

TEST_P(TuningRejected, WrapsTheLineError) {
  auto tuning = parse_body(GetParam().body);
  ASSERT_FALSE(tuning.has_value());
  const std::string number = std::to_string(GetParam().line);
  EXPECT_EQ(tuning.error().text(),
            "line " + number + ": line " + number + ": " + GetParam().message);
  const auto* line = std::get_if<docformat::ParseError::Line>(&tuning.error().kind());
  ASSERT_NE(line, nullptr);
  EXPECT_EQ(line->line, GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, TuningRejected,
    testing::Values(
        Rejected{{"equal"}, 1, "equal needs a step count"},
        Rejected{{"equal -3"}, 1, "invalid step count '-3'"},
        Rejected{{"equal x"}, 1, "invalid step count 'x'"},
        Rejected{{"equal 1.5"}, 1, "invalid step count '1.5'"},
        Rejected{{"equal +"}, 1, "invalid step count '+'"},
        Rejected{{"equal 18446744073709551616"}, 1, "invalid step count '18446744073709551616'"},
        Rejected{{"equal 65537"}, 1, "step count '65537' is too large (at most 65536)"},
        Rejected{{"equal +065537"}, 1, "step count '+065537' is too large (at most 65536)"},
        Rejected{{"equal 18446744073709551615"},
                 1,
                 "step count '18446744073709551615' is too large (at most 65536)"},
        Rejected{{"period"}, 1, "period needs a ratio"},
        Rejected{{"period x"}, 1, "invalid number for ratio: 'x'"},
        Rejected{{"period /2"}, 1, "invalid number for ratio numerator: ''"},
        Rejected{{"period 2/"}, 1, "invalid number for ratio denominator: ''"},
        Rejected{{"period 3/0 x"}, 1, "ratio has zero denominator"},
        Rejected{{"Equal 12"}, 1, "invalid number for ratio: 'Equal'"},
        Rejected{{"1 9/8 x"}, 1, "invalid number for ratio: 'x'"},
        Rejected{{"3/2", "", "5/0"}, 3, "ratio has zero denominator"},
        Rejected{{"equal 12", "period"}, 2, "period needs a ratio"},
        Rejected{{"", "", "1", "3/2", "equal -1"}, 5, "invalid step count '-1'"}));

struct Line {
  std::string text;
  std::string message;
};

TEST(ApplyTuningLine, AFailingLineChangesNothing) {
  const Line rows[] = {
      {"", "empty tuning line"},
      {" \t", "empty tuning line"},
      {"5/4 x", "invalid number for ratio: 'x'"},
      {"equal 70000", "step count '70000' is too large (at most 65536)"},
      {"period 1/0", "ratio has zero denominator"},
  };
  for (const Line& row : rows) {
    Tuning tuning;
    tuning.written_ratios = {1.0f, 1.5f};
    tuning.period = 3.0f;
    const Tuning before = tuning;
    auto applied = apply_tuning_line(tuning, row.text, 4);
    ASSERT_FALSE(applied.has_value()) << row.text;
    EXPECT_EQ(applied.error(), ParseError::line(4, row.message)) << row.text;
    EXPECT_EQ(tuning, before) << row.text;
    EXPECT_EQ(tuning.written_ratios, before.written_ratios) << row.text;
  }
}

TEST(TuningEqualLines, KeepOnlyTheirStepCount) {
  std::vector<std::string> body(100000, "equal 65536");
  auto tuning = parse_body(body);
  ASSERT_TRUE(tuning.has_value()) << tuning.error().text();
  EXPECT_EQ(tuning->equal_steps, 65536u);
  EXPECT_EQ(tuning->written_ratios.capacity(), 0u);
  EXPECT_EQ(tuning->size(), 65536u);
  EXPECT_EQ(tuning->ratio(0), 1.0f);
  EXPECT_EQ(tuning->ratio(65535), 1.9999789f);

  body.push_back("3/2");
  tuning = parse_body(body);
  ASSERT_TRUE(tuning.has_value()) << tuning.error().text();
  EXPECT_EQ(tuning->written_ratios, std::vector<float>{1.5f});
  EXPECT_EQ(tuning->size(), 65537u);
  EXPECT_EQ(tuning->ratio(65536), 1.5f);
}

}  // namespace
}  // namespace lyre
