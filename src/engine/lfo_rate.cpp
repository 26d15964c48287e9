#include "engine/lfo_rate.h"

#include <algorithm>
#include <cmath>

#include "engine/engine.h"
#include "engine/tuning_passes.h"
#include "engine/value_rules.h"

namespace engine {

void applyLfoRate(Engine& e) {
  const float r = e.lfoRate;
  if (e.lfoSync) {
    const int n = truncatedProduct(16.0f, r, 0, 16);
    float x;
    if ((n & 1) == 0)
      x = pow2(static_cast<float>(8 * n - 124) / 12.0f);
    else
      x = 3.0f * pow2(static_cast<float>(8 * (n - 1) - 124) / 12.0f);
    e.keyParams.lfoFreq = x * e.beatsPerSample;
  } else {
    e.keyParams.lfoFreq =
        frequencyCoefficient(e.concertA * pow2((68.0f * r - 124.0f) / 12.0f), e.invRate2);
  }
}

}  // namespace engine
