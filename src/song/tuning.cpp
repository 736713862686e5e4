#include "lyre/song/tuning.h"

#include <cmath>

namespace lyre {

Tuning Tuning::equal(std::uint32_t steps) {
  Tuning tuning;
  tuning.equal_steps = steps == 0 ? 1 : steps;
  return tuning;
}

float Tuning::ratio(std::size_t i) const {
  if (i >= equal_steps) return written_ratios[i - equal_steps];
  return std::exp2f(static_cast<float>(i) / static_cast<float>(equal_steps));
}

std::vector<float> Tuning::ratios() const {
  std::vector<float> all;
  all.reserve(size());
  for (std::size_t i = 0; i < size(); ++i) all.push_back(ratio(i));
  return all;
}

bool Tuning::operator==(const Tuning& other) const {
  if (period != other.period || size() != other.size()) return false;
  for (std::size_t i = 0; i < size(); ++i) {
    if (ratio(i) != other.ratio(i)) return false;
  }
  return true;
}

}  // namespace lyre
