#include "lyre/song/tuning.h"

#include <gtest/gtest.h>

#include <vector>

namespace lyre {
namespace {

struct EqualRow {
  std::uint32_t steps;
  std::vector<float> ratios;
};

TEST(TuningEqual, ComputesTwoToTheStepFraction) {
  const EqualRow rows[] = {
      {0, {1.0f}},
      {1, {1.0f}},
      {3, {1.0f, 1.25992107f, 1.58740103f}},
      {12,
       {1.0f, 1.05946314f, 1.12246203f, 1.18920708f, 1.25992107f, 1.33483982f, 1.41421354f,
        1.49830711f, 1.58740103f, 1.68179286f, 1.78179741f, 1.8877486f}},
  };
  for (const EqualRow& row : rows) {
    const Tuning tuning = Tuning::equal(row.steps);
    EXPECT_EQ(tuning.ratios(), row.ratios) << row.steps;
    EXPECT_EQ(tuning.size(), row.ratios.size()) << row.steps;
    EXPECT_EQ(tuning.period, 2.0f) << row.steps;
  }
}

TEST(TuningEqual, AppendsWrittenRatiosAfterTheSteps) {
  Tuning tuning = Tuning::equal(2);
  tuning.written_ratios = {1.125f, 3.0f};
  EXPECT_EQ(tuning.ratios(), (std::vector<float>{1.0f, 1.41421354f, 1.125f, 3.0f}));
  EXPECT_EQ(tuning.ratio(3), 3.0f);
}

struct Comparison {
  Tuning a;
  Tuning b;
  bool equal;
};

Tuning written(std::vector<float> ratios, float period = 2.0f) {
  Tuning tuning;
  tuning.written_ratios = std::move(ratios);
  tuning.period = period;
  return tuning;
}

TEST(TuningComparison, ByRatiosAndPeriodNotByStorage) {
  const Comparison rows[] = {
      {Tuning::equal(1), written({1.0f}), true},
      {Tuning::equal(0), Tuning::equal(1), true},
      {Tuning::equal(2), written({1.0f, 1.41421354f}), true},
      {Tuning::equal(2), written({1.0f, 1.5f}), false},
      {Tuning::equal(2), Tuning::equal(3), false},
      {written({1.0f}, 2.0f), written({1.0f}, 3.0f), false},
      {written({1.0f}), written({1.0f, 2.0f}), false},
  };
  for (const Comparison& row : rows) {
    EXPECT_EQ(row.a == row.b, row.equal);
    EXPECT_EQ(row.b == row.a, row.equal);
  }
}

}  // namespace
}  // namespace lyre
