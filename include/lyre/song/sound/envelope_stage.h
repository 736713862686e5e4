// One stage of an amplitude or filter envelope.
#pragma once

#include "lyre/song/curve.h"

namespace lyre {

struct EnvelopeStage {
  float duration = 0.0f;  // stored as written, negative included
  Curve curve = Curve::ease();
  bool operator==(const EnvelopeStage&) const = default;
};

}  // namespace lyre
