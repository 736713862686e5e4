#include "track/format/source/utf8.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "table_runner_test_support.h"

namespace lyre {
namespace {

constexpr std::size_t none = std::string_view::npos;

const std::string eight = "01234567";

TEST(FirstInvalidUtf8, FindsTheFirstInvalidByte) {
  const std::vector<test_support::Row<std::string, std::size_t>> rows = {
      {"empty", "", none},
      {"short ASCII", "abc", none},
      {"blocks of ASCII", eight + eight + "x", none},
      {"at start", "\x80" + eight, 0},
      {"last byte of block", "0123456\xFF" + eight, 7},
      {"first byte of second block", eight + "\xFF" + eight, 8},
      {"in tail", eight + "ab\xFF", 10},
      {"multibyte across blocks", "012345\xF0\x9F\x98\x80" + eight + "\xC3", 18},
      {"after valid multibyte", "\xC3\xA9\xE2\x82\xAC\xED\xA0\x80", 5},
      {"truncated at end", eight + "\xF0\x9F\x98", 8},
      {"highest code point", "\xF4\x8F\xBF\xBF", none},
      {"above highest", "a\xF4\x90\x80\x80", 1},
      {"last before surrogates", "\xED\x9F\xBF", none},
      {"overlong slash", "x\xC0\xAF", 1},
      {"smallest two-byte", "\xC2\x80", none},
      {"smallest three-byte", "\xE0\xA0\x80", none},
      {"smallest four-byte", "\xF0\x90\x80\x80", none},
  };
  test_support::expect_rows(rows, first_invalid_utf8);
}

// The step at the first byte: its length, then whether it is valid.
std::pair<std::size_t, bool> first_step(const std::string& bytes) {
  const Utf8Step step = utf8_step(bytes, 0);
  return {step.length, step.valid};
}

TEST(Utf8Step, MeasuresOneCharacterOrInvalidSubpart) {
  const std::vector<test_support::Row<std::string, std::pair<std::size_t, bool>>> rows = {
      {"ASCII", "ab", {1, true}},
      {"two bytes", "\xC3\xA9x", {2, true}},
      {"three bytes", "\xE2\x82\xAC", {3, true}},
      {"four bytes", "\xF0\x9F\x98\x80", {4, true}},
      {"continuation alone", "\x80", {1, false}},
      {"never a lead", "\xC1\xBF", {1, false}},
      {"second out of range", "\xED\xA0\x80", {1, false}},
      {"truncated after two", "\xF0\x9F\x98", {3, false}},
      {"broken third", "\xE2\x82x", {2, false}},
  };
  test_support::expect_rows(rows, first_step);
}

}  // namespace
}  // namespace lyre
