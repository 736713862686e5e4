// A named scale: the frequency ratios of its steps within one period.
#pragma once

#include <cstddef>
#include <cstdint>
#include <expected>
#include <span>
#include <string_view>
#include <vector>

#include "lyre/docformat/section.h"

namespace lyre {

// Equal-tempered steps are kept as their count and computed on demand, so a
// body of many `equal` lines costs no memory per step.
struct Tuning {
  static constexpr std::uint32_t kMaxEqualSteps = 65536;

  std::uint32_t equal_steps = 0;      // 2^(k/n) for k < n come first; 0: none
  std::vector<float> written_ratios;  // the ratios after the equal steps
  float period = 2.0f;

  // The equal-tempered tuning of `steps` per period (0 gives one step).
  // REQUIRES: steps <= kMaxEqualSteps.
  static Tuning equal(std::uint32_t steps);

  std::size_t size() const { return equal_steps + written_ratios.size(); }
  // REQUIRES: i < size().
  float ratio(std::size_t i) const;
  std::vector<float> ratios() const;

  // Errors are `Line` errors numbered by body line (from 1, blanks counted).
  static std::expected<Tuning, docformat::ParseError> parse(std::span<const std::string_view> lines,
                                                            std::size_t first_line = 1);
  void rename_references(const docformat::RenameMap&) {}

  // Equal when the periods and every ratio are, however they are stored.
  bool operator==(const Tuning& other) const;
};

}  // namespace lyre
