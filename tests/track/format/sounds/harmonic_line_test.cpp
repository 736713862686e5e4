#include "track/format/sounds/harmonic_line.h"

#include <gtest/gtest.h>

#include <string>

namespace lyre {
namespace {

struct Accepted {
  std::string line;
  Harmonic expected;
};

class HarmonicLineAccepted : public testing::TestWithParam<Accepted> {};

TEST_P(HarmonicLineAccepted, AppendsTheHarmonic) {
  Sound sound;
  sound.harmonics.push_back(Harmonic{"first", 1, 1, 0});
  auto applied = apply_harmonic_line(sound, GetParam().line, 2);
  ASSERT_TRUE(applied.has_value()) << applied.error().text();
  ASSERT_EQ(sound.harmonics.size(), 2u);
  EXPECT_EQ(sound.harmonics[0], (Harmonic{"first", 1, 1, 0}));
  EXPECT_EQ(sound.harmonics[1], GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, HarmonicLineAccepted,
    testing::Values(
        // plain names are stored unchecked
        Accepted{"sine 1", {"sine", 1, 1, 0}}, Accepted{"saw\t0.5", {"saw", 1, 0.5f, 0}},
        Accepted{"hill -1", {"hill", 1, -1, 0}},
        Accepted{"hard_square 0", {"hard_square", 1, 0, 0}},
        Accepted{"anything 1", {"anything", 1, 1, 0}},
        // multipliers
        Accepted{"sine@2 0.25", {"sine", 2, 0.25f, 0}}, Accepted{"sine@1e0 1", {"sine", 1, 1, 0}},
        Accepted{"@2 1", {"", 2, 1, 0}},
        // the rewrite table without '@'
        Accepted{"sub 0.5", {"triangle", 0.5f, 0.5f, 0}},
        Accepted{"fifth 0.2", {"sine", 1.5f, 0.2f, 0}},
        Accepted{"octave 0.3", {"sine", 2, 0.3f, 0}}, Accepted{"tri 1", {"triangle", 1, 1, 0}},
        Accepted{"square 1", {"soft_square", 1, 1, 0}},
        // with '@' only the two short names are rewritten
        Accepted{"tri@0.5 1", {"triangle", 0.5f, 1, 0}},
        Accepted{"square@3 1", {"soft_square", 3, 1, 0}}, Accepted{"sub@2 1", {"sub", 2, 1, 0}},
        Accepted{"octave@3 1", {"octave", 3, 1, 0}}, Accepted{"Tri 1", {"Tri", 1, 1, 0}},
        // duty
        Accepted{"square 1 duty 0.25", {"soft_square", 1, 1, 0.25f}},
        Accepted{"saw 1 duty 1", {"saw", 1, 1, 1}}, Accepted{"saw 1 duty 0", {"saw", 1, 1, 0}},
        Accepted{"saw 1 duty 0.5 extra", {"saw", 1, 1, 0.5f}},
        // wave form: the name is kept as written
        Accepted{"wave pad 0.6", {"pad", 1, 0.6f, 0}},
        Accepted{"wave@2 pad 0.6", {"pad", 2, 0.6f, 0}}, Accepted{"wave tri 1", {"tri", 1, 1, 0}},
        Accepted{"wave sine 1 duty 0.5", {"sine", 1, 1, 0}},
        Accepted{"wavefoo 1", {"wavefoo", 1, 1, 0}}));

struct Rejected {
  std::string line;
  std::string message;
};

class HarmonicLineRejected : public testing::TestWithParam<Rejected> {};

TEST_P(HarmonicLineRejected, AppendsNothing) {
  Sound sound;
  auto applied = apply_harmonic_line(sound, GetParam().line, 5);
  ASSERT_FALSE(applied.has_value());
  EXPECT_EQ(applied.error(), ParseError::line(5, GetParam().message));
  EXPECT_TRUE(sound.harmonics.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Messages, HarmonicLineRejected,
    testing::Values(
        Rejected{"", "empty harmonic line"}, Rejected{"saw", "missing weight for 'saw'"},
        Rejected{"sine@2", "missing weight for 'sine@2'"},
        // the weight is read before the multiplier, labelled by the first token
        Rejected{"sine@2 x", "invalid number for sine@2: 'x'"},
        Rejected{"sine@x y", "invalid number for sine@x: 'y'"},
        Rejected{"sine 1,0", "invalid number for sine: '1,0'"},
        Rejected{"sine@x 1 duty 5", "invalid number for multiplier: 'x'"},
        Rejected{"sine@ 1", "invalid number for multiplier: ''"},
        Rejected{"sine@2@3 1", "invalid number for multiplier: '2@3'"},
        // duty
        Rejected{"sine 1 width", "unexpected harmonic token 'width' (only 'duty <width>')"},
        Rejected{"octave 0.3 ease", "unexpected harmonic token 'ease' (only 'duty <width>')"},
        Rejected{"square 1 duty=0.5", "unexpected harmonic token 'duty=0.5' (only 'duty <width>')"},
        Rejected{"saw 1 duty", "duty needs a value"},
        Rejected{"saw 1 duty wide", "invalid number for duty: 'wide'"},
        Rejected{"saw 1 duty 1.5", "duty must be within 0..1"},
        Rejected{"saw 1 duty 1.0000001", "duty must be within 0..1"},
        Rejected{"saw 1 duty -0.1", "duty must be within 0..1"},
        Rejected{"saw 1 duty nan", "duty must be within 0..1"},
        Rejected{"saw 1 duty inf", "duty must be within 0..1"},
        // wave form
        Rejected{"wave", "wave needs <name> <weight>"},
        Rejected{"wave pad", "wave weight needs a value"},
        Rejected{"wave pad x", "invalid number for wave weight: 'x'"},
        Rejected{"wave@x pad 1", "invalid number for multiplier: 'x'"},
        Rejected{"wave@", "invalid number for multiplier: ''"}));

}  // namespace
}  // namespace lyre
