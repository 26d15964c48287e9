// The engine's settings: each stores its value and carries it to the keys
// (or retunes them) by its own rule, so that the parameter dispatch only
// maps knob values.
#include <cmath>

#include "engine/engine.h"
#include "engine/tuning_passes.h"
#include "engine/value_rules.h"

namespace engine {

void Engine::setHoldDecay(float coefficient) {
  decayCoef_ = coefficient;
  for (KeyState& k : keys) k.damp = coefficient;
}

void Engine::setBodyDecay(float coefficient) {
  bodyDecay_ = coefficient;
  for (KeyState& k : keys) k.sympDamp = coefficient;
}

void Engine::setEnvelopeDecay(float coefficient) {
  envDecay_ = coefficient;
  for (KeyState& k : keys) k.envDecay = coefficient;
}

void Engine::setSpringBLink(uint8_t link) {
  for (KeyState& k : keys) k.link = link;
}

void Engine::setDiffusion(float v) {
  setNoiseMode(v == 1.0f);
  for (KeyState& k : keys) k.diffusion = v;
}

void Engine::setConcertA(float hz) {
  tuning_.concertA = hz;
  keyPitchPass(*this);
}

void Engine::setMicrotune(int pitchClass, float ratio) {
  if (pitchClass < 0 || pitchClass >= 12) return;
  tuning_.microtune[pitchClass] = ratio;
  keyPitchPass(*this);
}

void Engine::setSpringAOffset(float v) {
  tuning_.springAOffset = v;
  offsetPass(*this);
  couplingPass(*this);
}

void Engine::setSpringARandomTune(float spread) {
  tuning_.springARandomTune = spread;
  offsetPass(*this);
  springBPass(*this);
}

void Engine::setSpringBNoteOffset(float offset) {
  tuning_.springBNoteOffset = offset;
  springBPass(*this);
}

void Engine::setSpringBRandomTune(float spread) {
  tuning_.springBRandomTune = spread;
  springBPass(*this);
}

void Engine::setSpringBFreqLow(float v) {
  if (noiseMode_) return;
  tuning_.springBFreqLow = v;
  springBPass(*this);
}

void Engine::setSpringBFreqHigh(float v) {
  if (noiseMode_) return;
  tuning_.springBFreqHigh = v;
  springBPass(*this);
}

void Engine::retuneSpringB() { springBPass(*this); }

void Engine::setLfoSync(bool synced) {
  lfoSync_ = synced ? 1 : 0;
  retimeLfo();
}

void Engine::setLfoRate(float v) {
  lfoRate_ = v;
  retimeLfo();
}

// Free, the LFO runs at a pitch below concert A; synced, at a note length
// counted in beats.
void Engine::retimeLfo() {
  const float r = lfoRate_;
  if (lfoSync_) {
    const int n = truncatedProduct(16.0f, r, 0, 16);
    float x;
    if ((n & 1) == 0)
      x = pow2(static_cast<float>(8 * n - 124) / 12.0f);
    else
      x = 3.0f * pow2(static_cast<float>(8 * (n - 1) - 124) / 12.0f);
    keyParams.lfoFreq = x * beatsPerSample_;
  } else {
    keyParams.lfoFreq =
        frequencyCoefficient(tuning_.concertA * pow2((68.0f * r - 124.0f) / 12.0f), invRate2_);
  }
}

void Engine::setStereoWidth(float v) {
  const float b = 0.7f - 0.4f * v;
  stereoGains_[0] = b;
  stereoGains_[1] = 1.0f - b;
  stereoGains_[2] = 1.0f - b;
  stereoGains_[3] = b;
  applySpread();
}

void Engine::setStereoSpread(float v) {
  stereoSpread_ = v;
  applySpread();
}

// Pan gains of every key from the stereo width and spread.
void Engine::applySpread() {
  const float s = stereoSpread_;
  const float* g = stereoGains_;
  for (int i = 0; i <= 88; ++i) {
    KeyState& k = keys[20 + i];
    const float p = 0.5f - 0.5f * s + s * static_cast<float>(i) * 0.011235955f;
    const float a = 2.0f * p;
    float q1, q2;
    if (p >= 0.5f) {
      q1 = ((a - 1.0f) / ((1.0f - (a - 1.0f)) * 2.0f + 1.0f) + 1.0f) * 0.5f;
      q2 = ((a - 1.0f) / ((1.0f - (a - 1.0f)) * 4.666668f + 1.0f) + 1.0f) * 0.5f;
    } else {
      q1 = (a / ((1.0f - a) * -0.6666667f + 1.0f)) * 0.5f;
      q2 = (a / ((1.0f - a) * -0.8235294f + 1.0f)) * 0.5f;
    }
    k.panAR = p * g[0];
    k.panBR = q1 * g[1];
    k.panSympR = q2;
    k.panAL = (1.0f - p) * g[2];
    k.panBL = (1.0f - q1) * g[3];
    k.panSympL = 1.0f - q2;
  }
}

void Engine::moveModWheel(float target) {
  // Wake the synthesis so the scrape is heard without a new key start.
  wakeSynthesis(0.1f);
  modWheel.target = target;
  if (modWheelUnset_) {
    // The first wheel message after a reset jumps instead of gliding.
    modWheel.start = modWheel.target;
    modWheelPrev_ = modWheel.target;
    scrapeLevel_ = 0.0f;
    modWheelUnset_ = 0;
  }
}

void Engine::beginEventBatch() {
  modWheel.latch();
  saturation.latch();
  bend.latch();
}

}  // namespace engine
