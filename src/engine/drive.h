// The drive: plain gain up to unity, soft saturation above it, reaching a
// hard square at full volume.
#pragma once

#include <algorithm>

namespace engine {

struct Drive {
  float outputGain = 1.0f;

  // Volume: unity at 0.5.
  void setVolume(float v) { outputGain = 2.0f * v; }

  float process(float x) const {
    if (!(outputGain > 1.0f)) return x * outputGain;
    x = std::min(std::max(outputGain * x, -1.0f), 1.0f);
    // A zero sample stays 0 at every gain; at full gain the curve below
    // would divide 0 by 0.
    if (x == 0.0f) return 0.0f;
    const float k = 1.0f / (outputGain * 0.5f) - 2.0f;
    // At full gain (k = -1) the curve is x / x: every sample goes to +-1,
    // also the tiny ones for which the denominator rounds to 0.
    if (x >= 0.0f) {
      const float d = (1.0f - x) * k + 1.0f;
      return d > 0.0f ? x / d : 1.0f;
    }
    const float d = (1.0f + x) * k + 1.0f;
    return d > 0.0f ? -(-x / d) : -1.0f;
  }
};

}  // namespace engine
