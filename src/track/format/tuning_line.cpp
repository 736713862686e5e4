#include "track/format/tuning_line.h"

#include <cstdint>
#include <limits>
#include <string>

#include "docformat/text.h"
#include "docformat/whitespace.h"
#include "lyre/docformat/parse_error.h"
#include "track/format/tokens.h"

namespace lyre {

namespace {

// Replaces everything read so far with the equal steps.
std::expected<void, ParseError> apply_equal(Tuning& tuning, Tokens& tokens, std::size_t line) {
  auto token = tokens.next();
  if (!token) return fail(line, "equal needs a step count");
  auto count = read_unsigned(*token, std::numeric_limits<std::uint64_t>::max());
  if (!count) return fail(line, cat("invalid step count '", *token, "'"), *token);
  if (*count > Tuning::kMaxEqualSteps) {
    return fail(line,
                cat("step count '", *token, "' is too large (at most ",
                    std::to_string(Tuning::kMaxEqualSteps), ")"),
                *token);
  }
  tuning = Tuning::equal(static_cast<std::uint32_t>(*count));
  return {};
}

std::expected<void, ParseError> apply_period(Tuning& tuning, Tokens& tokens, std::size_t line) {
  auto token = tokens.next();
  if (!token) return fail(line, "period needs a ratio");
  return store(tuning.period, parse_ratio(*token, line));
}

// Every token, the first included, is a ratio.
std::expected<void, ParseError> append_ratios(Tuning& tuning, Tokens& tokens, std::size_t line) {
  const std::size_t before = tuning.written_ratios.size();
  while (auto token = tokens.next()) {
    auto ratio = parse_ratio(*token, line);
    if (!ratio) {
      tuning.written_ratios.resize(before);
      return std::unexpected(ratio.error());
    }
    tuning.written_ratios.push_back(*ratio);
  }
  return {};
}

}  // namespace

void normalise_tuning(Tuning& tuning) {
  if (tuning.equal_steps != 0) return;
  std::vector<float>& ratios = tuning.written_ratios;
  if (ratios.empty()) {
    ratios.push_back(1.0f);
    return;
  }
  const float first = ratios.front();
  if (first == 0.0f || first == 1.0f) return;
  for (float& ratio : ratios) ratio /= first;
}

std::expected<void, ParseError> apply_tuning_line(Tuning& tuning, std::string_view line,
                                                  std::size_t n) {
  Tokens tokens(line);
  auto first = tokens.peek();
  if (!first) return fail(n, "empty tuning line");
  if (*first == "equal") {
    tokens.next();
    return apply_equal(tuning, tokens, n);
  }
  if (*first == "period") {
    tokens.next();
    return apply_period(tuning, tokens, n);
  }
  return append_ratios(tuning, tokens, n);
}

}  // namespace lyre
