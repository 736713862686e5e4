// One sample file of a sound and the range it covers.
#pragma once

#include <limits>
#include <string>

namespace lyre {

struct SampleZone {
  std::string file;  // as written between the quotes; not resolved
  // Without a written range the zone covers everything; no order is enforced.
  float low = -std::numeric_limits<float>::infinity();
  float high = std::numeric_limits<float>::infinity();
  bool operator==(const SampleZone&) const = default;
};

}  // namespace lyre
