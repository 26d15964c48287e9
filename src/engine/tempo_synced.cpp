#include "engine/tempo_synced.h"

#include <algorithm>
#include <cmath>

#include "engine/engine.h"
#include "engine/tuning_passes.h"
#include "engine/value_rules.h"

namespace engine {

void applyTremoloRate(Engine& e) {
  const float r = e.phaser.tremoloRate;
  if (e.phaser.tremoloSync != 0)
    e.phaser.tremoloInc = static_cast<float>(tremoloSyncPower(r)) * e.beatsPerSample;
  else
    e.phaser.tremoloInc = 0.002f * std::pow(r, 4.0f) + 0.0001f;
}

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

void applyEchoSync(Engine& e, float v) {
  e.echoDelayPrevL = e.echoDelayL;
  e.echoDelayPrevR = e.echoDelayR;
  e.echoSync = static_cast<uint8_t>(truncatedProduct(1.0f, v, 0, 1));
  // Without the minimum of 1 and without a jump: the block glides there.
  e.echoDelayR = echoDelayFor(e, e.echoRateR);
  e.echoDelayL = echoDelayFor(e, e.echoRateL);
}

// Delay in samples of one echo line for a rate value, free or tempo-synced.
int32_t echoDelayFor(const Engine& e, float rate) {
  double d;
  if (e.echoSync) {
    // A whole note (four beats) in samples, and the note divisions below
    // it, in single precision: W rounds to whole samples at tempos such as
    // 40 BPM, where a double W falls just short.
    const float whole = e.engineRate / (e.tempo * 0.004166667f);
    const int n = truncatedProduct(18.0f, 1.0f - rate, 0, 18);
    if ((n & 1) == 0)
      d = std::floor(static_cast<double>(whole / pow2(static_cast<float>(n / 2))));
    else
      d = 3.0 * std::floor(static_cast<double>(whole / pow2(static_cast<float>((n + 1) / 2 + 1))));
  } else {
    d = std::floor(static_cast<double>(rate * e.engineRate));
  }
  // The tape plays any longer delay; keep the integer conversion itself in
  // range.
  return static_cast<int32_t>(std::min(std::max(d, 0.0), 16777216.0));
}

void applyEchoDelay(Engine& e, bool left) {
  const int32_t d = echoDelayFor(e, left ? e.echoRateL : e.echoRateR);
  if (left) {
    e.echoDelayPrevL = d;
    e.echoDelayL = std::max<int32_t>(d, 1);
  } else {
    e.echoDelayPrevR = d;
    e.echoDelayR = std::max<int32_t>(d, 1);
  }
}

}  // namespace engine
