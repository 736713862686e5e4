#include "song/note/trajectory.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string_view>
#include <vector>

namespace lyre {
namespace {

constexpr Curve kEase = Curve::ease();
constexpr Curve kLinear = Curve::linear();
constexpr Curve kEaseIn{true, false};
constexpr Curve kEaseOut{false, true};

struct CurveCase {
  std::string_view name;
  std::vector<WavePoint> points;
  float duration;
  Trajectory expected;
};

TEST(TrajectoryFromCurve, TurnsPointsIntoSegments) {
  const std::vector<CurveCase> cases = {
      {"no points: a plain note", {}, 4.0f, {{}, {0.0f, 4.0f, kEase}}},
      {"one rise over the whole note",
       {{0.0f, 0.0f, kEaseIn}, {1.0f, 2.0f, kLinear}},
       4.0f,
       {{}, {2.0f, 4.0f, kEaseIn}}},
      {"a lone point steps at once and holds",
       {{0.5f, 1.0f, kEaseOut}},
       4.0f,
       {{{1.0f, 0.0f, kLinear}, {0.0f, 2.0f, kEase}}, {0.0f, 2.0f, kEase}}},
      {"first point at zero: no step, no leading hold",
       {{0.0f, 0.0f, kLinear}},
       4.0f,
       {{}, {0.0f, 4.0f, kEase}}},
      {"first point off zero at the start: a step only",
       {{0.0f, 5.0f, kLinear}, {1.0f, 0.0f, kEase}},
       2.0f,
       {{{5.0f, 0.0f, kLinear}}, {-5.0f, 2.0f, kLinear}}},
      {"points ending early close with a hold",
       {{0.0f, 0.0f, kEaseOut}, {0.5f, 3.0f, kLinear}},
       4.0f,
       {{{3.0f, 2.0f, kEaseOut}}, {0.0f, 2.0f, kEase}}},
      {"a late first point holds until it",
       {{0.25f, 0.0f, kEase}, {1.0f, 1.0f, kLinear}},
       4.0f,
       {{{0.0f, 1.0f, kEase}}, {1.0f, 3.0f, kEase}}},
      {"each segment takes the curve of the point before it",
       {{0.0f, 0.0f, kLinear}, {0.5f, 1.0f, kEaseIn}, {1.0f, -1.0f, kEaseOut}},
       2.0f,
       {{{1.0f, 1.0f, kLinear}}, {-2.0f, 1.0f, kEaseIn}}},
      {"a last point beyond 1 lengthens without a closing hold",
       {{0.0f, 0.0f, kLinear}, {1.5f, 1.0f, kEase}},
       2.0f,
       {{}, {1.0f, 3.0f, kLinear}}},
      {"decreasing x gives a negative duration",
       {{0.0f, 0.0f, kEase}, {1.0f, 1.0f, kLinear}, {0.5f, 2.0f, kEase}},
       4.0f,
       {{{1.0f, 4.0f, kEase}, {1.0f, -2.0f, kLinear}}, {0.0f, 2.0f, kEase}}},
      {"duration zero is never empty", {{0.0f, 0.0f, kEase}}, 0.0f, {{}, {0.0f, 0.0f, kEase}}},
      {"negative duration keeps its hold", {}, -1.0f, {{}, {0.0f, -1.0f, kEase}}},
      {"a point at 1 with a value steps, holds and ends there",
       {{1.0f, 2.0f, kLinear}},
       4.0f,
       {{{2.0f, 0.0f, kLinear}}, {0.0f, 4.0f, kEase}}},
  };
  for (const CurveCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(trajectory_from_curve(c.points, c.duration), c.expected);
  }
}

TEST(TrajectoryFromCurve, CarriesNanThrough) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  // NaN counts as a value other than zero: the step is kept.
  Trajectory stepped = trajectory_from_curve(std::vector<WavePoint>{{0.0f, nan, kEase}}, 1.0f);
  ASSERT_EQ(stepped.segments.size(), 1u);
  EXPECT_TRUE(std::isnan(stepped.segments[0].delta));
  EXPECT_EQ(stepped.last, (PitchSegment{0.0f, 1.0f, kEase}));

  Trajectory plain = trajectory_from_curve({}, nan);
  EXPECT_TRUE(plain.segments.empty());
  EXPECT_TRUE(std::isnan(plain.last.duration));
}

Note note_of(std::vector<PitchSegment> segments, PitchSegment last) {
  Note note;
  note.details.edit().pitch_segments = std::move(segments);
  note.last_segment = last;
  return note;
}

struct DurationCase {
  std::string_view name;
  Note note;
  float expected;
};

TEST(NoteDuration, SumsTheTrajectoryAsFloats) {
  const std::vector<DurationCase> cases = {
      {"plain note", note_of({}, {0.0f, 4.0f, kEase}), 4.0f},
      {"segments and last",
       note_of({{1.0f, 0.0f, kLinear}, {0.0f, 2.0f, kEase}}, {0.0f, 2.0f, kEase}), 4.0f},
      // In wider arithmetic 1e8 + 3 + 3 would round up to 100000008.
      {"float rounding at each step",
       note_of({{0.0f, 1e8f, kEase}, {0.0f, 3.0f, kEase}, {0.0f, 3.0f, kEase}},
               {0.0f, 0.0f, kEase}),
       1e8f},
  };
  for (const DurationCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(note_duration(c.note), c.expected);
  }
}

TEST(NoteDuration, KeepsTheSignOfAZeroDuration) {
  EXPECT_TRUE(std::signbit(note_duration(note_of({}, {0.0f, -0.0f, kEase}))));
}

struct SetCurveCase {
  std::string_view name;
  Note note;
  std::vector<WavePoint> points;
  Trajectory expected;
};

TEST(SetPitchCurve, ReplacesTheTrajectoryOverTheNotesDuration) {
  const Note stepped = note_of({{1.0f, 0.0f, kLinear}, {0.0f, 2.0f, kEase}}, {0.0f, 2.0f, kEase});
  const std::vector<SetCurveCase> cases = {
      {"plain note gets a rise",
       note_of({}, {0.0f, 4.0f, kEase}),
       {{0.0f, 0.0f, kEase}, {1.0f, 2.0f, kLinear}},
       {{}, {2.0f, 4.0f, kEase}}},
      {"an earlier curve is replaced over the same duration",
       stepped,
       {{0.0f, 0.0f, kEaseIn}, {1.0f, -1.0f, kLinear}},
       {{}, {-1.0f, 4.0f, kEaseIn}}},
      {"no points restore the plain trajectory", stepped, {}, {{}, {0.0f, 4.0f, kEase}}},
  };
  for (const SetCurveCase& c : cases) {
    SCOPED_TRACE(c.name);
    Note note = c.note;
    set_pitch_curve(note, c.points);
    EXPECT_EQ((Trajectory{note.details.get().pitch_segments, note.last_segment}), c.expected);
  }
}

TEST(SetPitchCurve, IsIdempotentWhilePointsStayWithinTheNote) {
  const std::vector<std::vector<WavePoint>> curves = {
      {{0.5f, 1.0f, kEase}},
      {{0.25f, 2.0f, kLinear}, {0.5f, -1.0f, kEaseIn}},
      {{0.0f, 0.0f, kEase}, {1.0f, 3.0f, kLinear}},
  };
  for (const std::vector<WavePoint>& points : curves) {
    Note once = note_of({}, {0.0f, 3.0f, kEase});
    set_pitch_curve(once, points);
    Note twice = once;
    set_pitch_curve(twice, points);
    EXPECT_EQ(twice, once);
  }
}

}  // namespace
}  // namespace lyre
