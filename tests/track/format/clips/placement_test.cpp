#include "track/format/clips/placement.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace lyre {
namespace {

constexpr std::size_t kLine = 3;

std::string line_error(std::string_view message) { return "line 3: " + std::string(message); }

// The rows hold the line without its first word.
std::expected<MotifInstance, ParseError> motif_of(std::string_view rest) {
  Tokens tokens(rest);
  return parse_motif_placement(tokens, kLine);
}

std::expected<SubtrackInstance, ParseError> subtrack_of(std::string_view rest) {
  Tokens tokens(rest);
  return parse_subtrack_placement(tokens, kLine);
}

struct MotifAccepted {
  std::string_view rest;
  MotifInstance expected;
};

TEST(ParseMotifPlacement, ReadsNameStartSoundAndKeywords) {
  const std::vector<MotifAccepted> cases = {
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
  for (const MotifAccepted& c : cases) {
    SCOPED_TRACE(c.rest);
    auto placement = motif_of(c.rest);
    ASSERT_TRUE(placement.has_value()) << placement.error().text();
    EXPECT_EQ(*placement, c.expected);
  }
}

struct Rejected {
  std::string_view rest;
  std::string_view message;
};

TEST(ParseMotifPlacement, RejectsABadLine) {
  const std::vector<Rejected> cases = {
      {"", "motif needs a name"},
      {"riff", "motif needs start"},
      {"riff x", "invalid number for start: 'x'"},
      {"riff 8", "motif needs a sound"},
      {"riff 8 sine transpose", "transpose needs a value"},
      {"riff 8 sine transpose x", "invalid number for transpose: 'x'"},
      {"riff 8 sine tuning", "tuning needs a name"},
      {"riff 8 sine loud", "unexpected motif token 'loud'"},
      {"riff 8 sine Transpose 2", "unexpected motif token 'Transpose'"},
      {"riff 8 transpose 2", "unexpected motif token '2'"},
      {"riff 8 sine tuning just organ", "unexpected motif token 'organ'"},
  };
  for (const Rejected& c : cases) {
    SCOPED_TRACE(c.rest);
    auto placement = motif_of(c.rest);
    ASSERT_FALSE(placement.has_value());
    EXPECT_EQ(placement.error().text(), line_error(c.message));
  }
}

struct SubtrackAccepted {
  std::string_view rest;
  SubtrackInstance expected;
};

TEST(ParseSubtrackPlacement, ReadsNameStartOptionalSoundAndKeywords) {
  const std::vector<SubtrackAccepted> cases = {
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
  for (const SubtrackAccepted& c : cases) {
    SCOPED_TRACE(c.rest);
    auto placement = subtrack_of(c.rest);
    ASSERT_TRUE(placement.has_value()) << placement.error().text();
    EXPECT_EQ(*placement, c.expected);
  }
}

TEST(ParseSubtrackPlacement, RejectsABadLine) {
  const std::vector<Rejected> cases = {
      {"", "subtrack needs a name"},
      {"verse", "subtrack needs start"},
      {"verse x", "invalid number for start: 'x'"},
      {"verse 16 tuning", "tuning needs a name"},
      {"verse 16 transpose", "transpose needs a value"},
      {"verse 16 transpose up", "invalid number for transpose: 'up'"},
      // The sound can only stand directly after the start.
      {"verse 16 tuning just organ", "unexpected subtrack token 'organ'"},
      {"verse 16 organ piano", "unexpected subtrack token 'piano'"},
      {"verse 16 transpose 1 organ", "unexpected subtrack token 'organ'"},
  };
  for (const Rejected& c : cases) {
    SCOPED_TRACE(c.rest);
    auto placement = subtrack_of(c.rest);
    ASSERT_FALSE(placement.has_value());
    EXPECT_EQ(placement.error().text(), line_error(c.message));
  }
}

}  // namespace
}  // namespace lyre
