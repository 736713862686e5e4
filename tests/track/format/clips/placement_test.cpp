#include "track/format/clips/placement.h"

#include <gtest/gtest.h>

#include <limits>
#include <string_view>
#include <vector>

#include "table_runner_test_support.h"
#include "track/line_error_test_support.h"

namespace lyre {
namespace {

using test_support::Fails;

constexpr std::size_t kLine = 3;

// The rows hold the line without its first word.
std::expected<MotifInstance, ParseError> motif_of(std::string_view rest) {
  Tokens tokens(rest);
  return parse_motif_placement(tokens, kLine);
}

std::expected<SubtrackInstance, ParseError> subtrack_of(std::string_view rest) {
  Tokens tokens(rest);
  return parse_subtrack_placement(tokens, kLine);
}

TEST(ParseMotifPlacement, ReadsNameStartSoundAndKeywords) {
  const std::vector<test_support::Row<std::string_view, MotifInstance>> rows = {
      {"riff 8 piano", {.motif = "riff", .start = 8.0f, .sound = "piano"}},
      {"riff -1 sine", {.motif = "riff", .start = -1.0f, .sound = "sine"}},
      {"riff 8 piano transpose -12 tuning just",
       {.motif = "riff", .start = 8.0f, .sound = "piano", .tuning = "just", .transpose = -12.0f}},
      // A repeated keyword replaces the earlier value.
      {"riff 8 sine tuning a tuning b transpose 1 transpose 2",
       {.motif = "riff", .start = 8.0f, .sound = "sine", .tuning = "b", .transpose = 2.0f}},
      {"riff 8 sine transpose inf",
       {.motif = "riff",
        .start = 8.0f,
        .sound = "sine",
        .transpose = std::numeric_limits<float>::infinity()}},
      // The third token is the sound whatever it is.
      {"riff 8 tuning", {.motif = "riff", .start = 8.0f, .sound = "tuning"}},
      {"riff 8 transpose tuning x",
       {.motif = "riff", .start = 8.0f, .sound = "transpose", .tuning = "x"}},
      {"riff\u00a08\u3000piano", {.motif = "riff", .start = 8.0f, .sound = "piano"}},
  };
  test_support::expect_rows(rows, motif_of);
}

TEST(ParseMotifPlacement, RejectsABadLine) {
  const std::vector<test_support::Row<std::string_view, MotifInstance>> rows = {
      {"", Fails{"motif needs a name"}},
      {"riff", Fails{"motif needs start"}},
      {"riff x", Fails{"invalid number for start: 'x'"}},
      {"riff 8", Fails{"motif needs a sound"}},
      {"riff 8 sine transpose", Fails{"transpose needs a value"}},
      {"riff 8 sine transpose x", Fails{"invalid number for transpose: 'x'"}},
      {"riff 8 sine tuning", Fails{"tuning needs a name"}},
      {"riff 8 sine loud", Fails{"unexpected motif token 'loud'"}},
      {"riff 8 sine Transpose 2", Fails{"unexpected motif token 'Transpose'"}},
      {"riff 8 transpose 2", Fails{"unexpected motif token '2'"}},
      {"riff 8 sine tuning just organ", Fails{"unexpected motif token 'organ'"}},
  };
  test_support::expect_rows(rows, motif_of, test_support::message_on_line(kLine));
}

TEST(ParseSubtrackPlacement, ReadsNameStartOptionalSoundAndKeywords) {
  const std::vector<test_support::Row<std::string_view, SubtrackInstance>> rows = {
      {"verse 16", {.layer = "verse", .start = 16.0f}},
      {"verse 16 organ", {.layer = "verse", .start = 16.0f, .sound = "organ"}},
      {"verse 16 tuning just", {.layer = "verse", .start = 16.0f, .tuning = "just"}},
      {"verse 16 transpose 2 tuning t",
       {.layer = "verse", .start = 16.0f, .tuning = "t", .transpose = 2.0f}},
      {"verse 16 organ transpose -3 tuning t",
       {.layer = "verse", .start = 16.0f, .sound = "organ", .tuning = "t", .transpose = -3.0f}},
      {"verse 16 tuning a transpose 1 tuning b",
       {.layer = "verse", .start = 16.0f, .tuning = "b", .transpose = 1.0f}},
  };
  test_support::expect_rows(rows, subtrack_of);
}

TEST(ParseSubtrackPlacement, RejectsABadLine) {
  const std::vector<test_support::Row<std::string_view, SubtrackInstance>> rows = {
      {"", Fails{"subtrack needs a name"}},
      {"verse", Fails{"subtrack needs start"}},
      {"verse x", Fails{"invalid number for start: 'x'"}},
      {"verse 16 tuning", Fails{"tuning needs a name"}},
      {"verse 16 transpose", Fails{"transpose needs a value"}},
      {"verse 16 transpose up", Fails{"invalid number for transpose: 'up'"}},
      // The sound can only stand directly after the start.
      {"verse 16 tuning just organ", Fails{"unexpected subtrack token 'organ'"}},
      {"verse 16 organ piano", Fails{"unexpected subtrack token 'piano'"}},
      {"verse 16 transpose 1 organ", Fails{"unexpected subtrack token 'organ'"}},
  };
  test_support::expect_rows(rows, subtrack_of, test_support::message_on_line(kLine));
}

}  // namespace
}  // namespace lyre
