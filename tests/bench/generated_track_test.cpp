// The server benchmark's track: valid as generated, and its edits are the
// changes the server applies, so the text the server checks stays valid.
#include "generated_track.h"

#include <gtest/gtest.h>

#include <string>

#include "lyre/track.h"

namespace lyre::bench {
namespace {

std::string verdict_of(const std::string& text) {
  return check_text("score.track", text, std::string(), false, read_source).line;
}

TEST(GeneratedTrackTest, IsValidAndTheSameForTheSameSeed) {
  const std::string text = GeneratedTrack(20'000, 7).text();
  EXPECT_EQ(verdict_of(text), "ok   score.track: 1 songs, 8 sounds, 1200 notes");
  EXPECT_EQ(GeneratedTrack(20'000, 7).text(), text);
  EXPECT_NE(GeneratedTrack(20'000, 8).text(), text);
}

TEST(GeneratedTrackTest, SetPitchReplacesTwoDigits) {
  GeneratedTrack track(20'000, 7);
  const std::string before = track.text();
  const std::size_t line = track.note_lines().front();
  const server::TextChange change = track.set_pitch(line, 25);
  EXPECT_EQ(change.text, "61");
  EXPECT_EQ(change.range->start.line, line);
  EXPECT_EQ(change.range->end.character, change.range->start.character + 2);
  EXPECT_EQ(track.text().size(), before.size());
}

TEST(GeneratedTrackTest, RandomEditsAreWhatTheServerApplies) {
  GeneratedTrack track(20'000, 7);
  std::string text = track.text();
  for (int i = 0; i < 300; ++i) {
    server::apply_change(text, track.random_edit(), server::PositionEncoding::Utf16);
    ASSERT_EQ(text, track.text()) << "edit " << i;
  }
  EXPECT_EQ(verdict_of(text), "ok   score.track: 1 songs, 8 sounds, 1187 notes");
}

}  // namespace
}  // namespace lyre::bench
