#include "track/format/sounds/harmonic_line.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "table_runner_test_support.h"
#include "track/line_error_test_support.h"

namespace lyre {
namespace {

using test_support::Fails;
using Row = test_support::Row<std::string_view, Harmonic>;

const Harmonic kFirst{"first", 1, 1, 0};

// The harmonic the line appends after one already held, which it must keep;
// a refused line appends nothing.
std::expected<Harmonic, ParseError> appended(std::string_view line) {
  Sound before;
  before.harmonics = {kFirst};
  auto sound =
      test_support::apply_to(before, [&](Sound& s) { return apply_harmonic_line(s, line, 5); });
  return test_support::transform(sound, [](Sound& s) {
    EXPECT_EQ(s.harmonics.size(), 2u);
    if (s.harmonics.size() != 2) return Harmonic{};
    EXPECT_EQ(s.harmonics[0], kFirst);
    return s.harmonics[1];
  });
}

TEST(ApplyHarmonicLine, AppendsTheHarmonic) {
  const std::vector<Row> rows = {
      // plain names are stored unchecked
      {"sine 1", {"sine", 1, 1, 0}},
      {"saw\t0.5", {"saw", 1, 0.5f, 0}},
      {"hill -1", {"hill", 1, -1, 0}},
      {"hard_square 0", {"hard_square", 1, 0, 0}},
      {"anything 1", {"anything", 1, 1, 0}},
      // multipliers
      {"sine@2 0.25", {"sine", 2, 0.25f, 0}},
      {"sine@1e0 1", {"sine", 1, 1, 0}},
      {"@2 1", {"", 2, 1, 0}},
      // the rewrite table without '@'
      {"sub 0.5", {"triangle", 0.5f, 0.5f, 0}},
      {"fifth 0.2", {"sine", 1.5f, 0.2f, 0}},
      {"octave 0.3", {"sine", 2, 0.3f, 0}},
      {"tri 1", {"triangle", 1, 1, 0}},
      {"square 1", {"soft_square", 1, 1, 0}},
      // with '@' only the two short names are rewritten
      {"tri@0.5 1", {"triangle", 0.5f, 1, 0}},
      {"square@3 1", {"soft_square", 3, 1, 0}},
      {"sub@2 1", {"sub", 2, 1, 0}},
      {"octave@3 1", {"octave", 3, 1, 0}},
      {"Tri 1", {"Tri", 1, 1, 0}},
      // duty
      {"square 1 duty 0.25", {"soft_square", 1, 1, 0.25f}},
      {"saw 1 duty 1", {"saw", 1, 1, 1}},
      {"saw 1 duty 0", {"saw", 1, 1, 0}},
      {"saw 1 duty 0.5 extra", {"saw", 1, 1, 0.5f}},
      // wave form: the name is kept as written
      {"wave pad 0.6", {"pad", 1, 0.6f, 0}},
      {"wave@2 pad 0.6", {"pad", 2, 0.6f, 0}},
      {"wave tri 1", {"tri", 1, 1, 0}},
      {"wave sine 1 duty 0.5", {"sine", 1, 1, 0}},
      {"wavefoo 1", {"wavefoo", 1, 1, 0}},
  };
  test_support::expect_rows(rows, appended);
}

TEST(ApplyHarmonicLine, RefusesAndAppendsNothing) {
  const std::vector<Row> rows = {
      {"", Fails{"empty harmonic line"}},
      {"saw", Fails{"missing weight for 'saw'"}},
      {"sine@2", Fails{"missing weight for 'sine@2'"}},
      // the weight is read before the multiplier, labelled by the first token
      {"sine@2 x", Fails{"invalid number for sine@2: 'x'"}},
      {"sine@x y", Fails{"invalid number for sine@x: 'y'"}},
      {"sine 1,0", Fails{"invalid number for sine: '1,0'"}},
      {"sine@x 1 duty 5", Fails{"invalid number for multiplier: 'x'"}},
      {"sine@ 1", Fails{"invalid number for multiplier: ''"}},
      {"sine@2@3 1", Fails{"invalid number for multiplier: '2@3'"}},
      // duty
      {"sine 1 width", Fails{"unexpected harmonic token 'width' (only 'duty <width>')"}},
      {"octave 0.3 ease", Fails{"unexpected harmonic token 'ease' (only 'duty <width>')"}},
      {"square 1 duty=0.5", Fails{"unexpected harmonic token 'duty=0.5' (only 'duty <width>')"}},
      {"saw 1 duty", Fails{"duty needs a value"}},
      {"saw 1 duty wide", Fails{"invalid number for duty: 'wide'"}},
      {"saw 1 duty 1.5", Fails{"duty must be within 0..1"}},
      {"saw 1 duty 1.0000001", Fails{"duty must be within 0..1"}},
      {"saw 1 duty -0.1", Fails{"duty must be within 0..1"}},
      {"saw 1 duty nan", Fails{"duty must be within 0..1"}},
      {"saw 1 duty inf", Fails{"duty must be within 0..1"}},
      // wave form
      {"wave", Fails{"wave needs <name> <weight>"}},
      {"wave pad", Fails{"wave weight needs a value"}},
      {"wave pad x", Fails{"invalid number for wave weight: 'x'"}},
      {"wave@x pad 1", Fails{"invalid number for multiplier: 'x'"}},
      {"wave@", Fails{"invalid number for multiplier: ''"}},
  };
  test_support::expect_rows(rows, appended, test_support::message_on_line(5));
}

}  // namespace
}  // namespace lyre
