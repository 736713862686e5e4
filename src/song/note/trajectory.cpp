#include "song/note/trajectory.h"

#include <utility>

namespace lyre {

namespace {

// Collects segments so that the final one lands in `last` and only the ones
// before it in the list: a one-segment trajectory allocates nothing.
class SegmentSink {
 public:
  void append(PitchSegment segment) {
    if (has_last_) result_.segments.push_back(result_.last);
    result_.last = segment;
    has_last_ = true;
  }
  bool empty() const { return !has_last_; }
  Trajectory take() { return std::move(result_); }

 private:
  Trajectory result_;
  bool has_last_ = false;
};

}  // namespace

Trajectory trajectory_from_curve(std::span<const WavePoint> points, float duration) {
  SegmentSink sink;
  float time = 0.0f;
  if (!points.empty()) {
    const WavePoint& first = points.front();
    float first_time = first.x * duration;
    if (first.y != 0.0f) sink.append({first.y, 0.0f, Curve::linear()});
    if (first_time > 0.0f) sink.append({0.0f, first_time, Curve::ease()});
    float previous_time = first_time;
    for (std::size_t i = 1; i < points.size(); ++i) {
      float point_time = points[i].x * duration;
      sink.append({points[i].y - points[i - 1].y, point_time - previous_time, points[i - 1].curve});
      previous_time = point_time;
    }
    time = previous_time;
  }
  if (duration > time || sink.empty()) sink.append({0.0f, duration - time, Curve::ease()});
  return sink.take();
}

float note_duration(const Note& note) {
  // -0 is the exact additive identity, so a lone last segment keeps its
  // duration bit for bit.
  float listed = -0.0f;
  for (const PitchSegment& segment : note.details.get().pitch_segments) listed += segment.duration;
  return note.last_segment.duration + listed;
}

void set_pitch_curve(Note& note, std::span<const WavePoint> points) {
  Trajectory trajectory = trajectory_from_curve(points, note_duration(note));
  // A one-segment trajectory, the common case, needs no box of details.
  if (!trajectory.segments.empty() || note.details.is_set()) {
    note.details.edit().pitch_segments = std::move(trajectory.segments);
  }
  note.last_segment = trajectory.last;
}

}  // namespace lyre
