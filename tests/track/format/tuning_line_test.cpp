#include "track/format/tuning_line.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "lyre/docformat/parse_error.h"
#include "table_runner_test_support.h"
#include "track/line_error_test_support.h"

namespace lyre {
namespace {

using test_support::expect_rows;
using test_support::Fails;
using Body = std::vector<std::string_view>;
using Row = test_support::Row<Body, Tuning>;

std::expected<Tuning, docformat::ParseError> parse_body(const std::vector<std::string>& body) {
  std::vector<std::string_view> lines(body.begin(), body.end());
  return Tuning::parse(lines);
}

auto read_body(const Body& body) { return Tuning::parse(body); }

// Tunings compare by their ratios, however stored, so every row writes them.
Tuning ratios(std::vector<float> written, float period = 2.0f) {
  return Tuning{.written_ratios = std::move(written), .period = period};
}

TEST(TuningParse, ReadsAndNormalises) {
  const std::vector<Row> rows = {
      {{}, ratios({1.0f})},
      {{"", "  "}, ratios({1.0f})},
      {{"1", "9/8", "5/4"}, ratios({1.0f, 1.125f, 1.25f})},
      {{"1 9/8 5/4 4/3 3/2"}, ratios({1.0f, 1.125f, 1.25f, 4.0f / 3.0f, 1.5f})},
      // divided by the first ratio unless it is 0 or 1
      {{"2", "4"}, ratios({1.0f, 2.0f})},
      {{"4 2"}, ratios({1.0f, 0.5f})},
      {{"0", "3"}, ratios({0.0f, 3.0f})},
      {{"-2 1"}, ratios({1.0f, -0.5f})},
      // equal steps
      {{"equal 0"}, ratios({1.0f})},
      {{"equal 1"}, ratios({1.0f})},
      {{"equal +2"}, ratios({1.0f, 1.41421354f})},
      {{"equal 3 junk"}, ratios({1.0f, 1.25992107f, 1.58740103f})},
      {{"equal 4"}, ratios({1.0f, 1.18920708f, 1.41421354f, 1.68179286f})},
      // earlier ratios and period are dropped; later ratios are appended unscaled
      {{"3/2", "equal 2", "9/8", "period 3"}, ratios({1.0f, 1.41421354f, 1.125f}, 3.0f)},
      {{"period 3", "equal 2"}, ratios({1.0f, 1.41421354f})},
      {{"equal 4", "equal 2"}, ratios({1.0f, 1.41421354f})},
      {{"equal 2", "equal 0", "3"}, ratios({1.0f, 3.0f})},
      // period
      {{"period 3/2"}, ratios({1.0f}, 1.5f)},
      {{"period 3 x", "2"}, ratios({1.0f}, 3.0f)},
  };
  expect_rows(rows, read_body);
}

// The file line is the body line until the entry is placed.
TEST(TuningParse, WrapsTheLineError) {
  const std::vector<Row> rows = {
      {{"equal"}, Fails{"line 1: line 1: equal needs a step count"}},
      {{"equal -3"}, Fails{"line 1: line 1: invalid step count '-3'"}},
      {{"equal x"}, Fails{"line 1: line 1: invalid step count 'x'"}},
      {{"equal 1.5"}, Fails{"line 1: line 1: invalid step count '1.5'"}},
      {{"equal +"}, Fails{"line 1: line 1: invalid step count '+'"}},
      {{"equal 18446744073709551616"},
       Fails{"line 1: line 1: invalid step count '18446744073709551616'"}},
      {{"equal 65537"}, Fails{"line 1: line 1: step count '65537' is too large (at most 65536)"}},
      {{"equal +065537"},
       Fails{"line 1: line 1: step count '+065537' is too large (at most 65536)"}},
      {{"equal 18446744073709551615"},
       Fails{"line 1: line 1: step count '18446744073709551615' is too large (at most 65536)"}},
      {{"period"}, Fails{"line 1: line 1: period needs a ratio"}},
      {{"period x"}, Fails{"line 1: line 1: invalid number for ratio: 'x'"}},
      {{"period /2"}, Fails{"line 1: line 1: invalid number for ratio numerator: ''"}},
      {{"period 2/"}, Fails{"line 1: line 1: invalid number for ratio denominator: ''"}},
      {{"period 3/0 x"}, Fails{"line 1: line 1: ratio has zero denominator"}},
      {{"Equal 12"}, Fails{"line 1: line 1: invalid number for ratio: 'Equal'"}},
      {{"1 9/8 x"}, Fails{"line 1: line 1: invalid number for ratio: 'x'"}},
      {{"3/2", "", "5/0"}, Fails{"line 3: line 3: ratio has zero denominator"}},
      {{"equal 12", "period"}, Fails{"line 2: line 2: period needs a ratio"}},
      {{"", "", "1", "3/2", "equal -1"}, Fails{"line 5: line 5: invalid step count '-1'"}},
  };
  expect_rows(rows, read_body, test_support::file_line_error);
}

TEST(ApplyTuningLine, AFailingLineChangesNothing) {
  const Tuning before = ratios({1.0f, 1.5f}, 3.0f);
  const std::vector<test_support::Row<std::string_view, Tuning>> rows = {
      {"", Fails{"empty tuning line"}},
      {" \t", Fails{"empty tuning line"}},
      {"5/4 x", Fails{"invalid number for ratio: 'x'"}},
      {"equal 70000", Fails{"step count '70000' is too large (at most 65536)"}},
      {"period 1/0", Fails{"ratio has zero denominator"}},
  };
  expect_rows(
      rows,
      [&](std::string_view line) {
        return test_support::apply_to(before, [&](Tuning& tuning) {
          auto applied = apply_tuning_line(tuning, line, 4);
          // Equal tunings may store their ratios apart; a refused line keeps
          // them where they were.
          if (!applied) {
            EXPECT_EQ(tuning.written_ratios, before.written_ratios);
          }
          return applied;
        });
      },
      test_support::message_on_line(4));
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
