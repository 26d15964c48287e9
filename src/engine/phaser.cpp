#include "engine/phaser.h"

#include <algorithm>
#include <cmath>

#include "engine/quiet.h"
#include "engine/tremolo_sine.h"

namespace engine {

namespace {

// The allpass with feedback q has its poles at the roots of
// z^2 - c(1 + qc) z + qc: it is stable exactly while |c| < 1 and q|c| < 1.
// The feedback is at most 1 (v^0.25 of a value clamped to 0..1), so only a
// coefficient that reaches +-1 needs holding back: a tremolo trough at the
// bottom of the range, where E rounds to 0 or below, would put a pole on or
// outside the unit circle. Every coefficient inside is used as computed.
constexpr float kLargestCoefficient = 0.99999994f;  // the largest float below 1

float allpassCoefficient(double sine, float depth, float freq) {
  const float e = (depth * static_cast<float>(sine) + 1.0f) * freq;
  return std::min(std::max((1.0f - e) / (e + 1.0f), -kLargestCoefficient), kLargestCoefficient);
}

void allpass(AllpassState& st, float input, float c, float q) {
  const float f = input - q * st.tap * c;
  st.tap = f;
  st.y = st.s - f * c;
  st.s = st.y * c + f;
  if (isQuiet(f)) st.tap = 0.0f;
}

constexpr double kTwoPi = 6.283185307179586;

}  // namespace

double tremoloSyncPower(float rate) {
  // n = int(16 * rate) picks a half-octave step; rates are 0..1.
  const float scaled = std::min(std::max(16.0f * rate, 0.0f), 16.0f);
  const int n = static_cast<int>(scaled);
  const float e = (n & 1) ? static_cast<float>(n) * 0.5f : static_cast<float>(n / 2);
  return std::pow(2.0, static_cast<double>(e));
}

void Phaser::coefficientsFromSines(float depth, double sineA, double sineB, float& a,
                                   float& b) const {
  a = allpassCoefficient(sineA, depth, phaserFreq);
  b = allpassCoefficient(sineB, depth, phaserFreq);
}

void Phaser::processChunk(float* sym0, float* sym1, const float* a, const float* b, int32_t count) {
  AllpassState stA = stateA;
  AllpassState stB = stateB;
  const float q = phaserQ;
  const float mix = phaserMix;
  for (int32_t j = 0; j < count; ++j) {
    allpass(stA, sym0[j], a[j], q);
    allpass(stB, sym1[j], b[j], q);
    sym1[j] = sym1[j] - mix * stB.tap;
    sym0[j] = sym0[j] - mix * stA.tap;
    stA.tap = stA.y;
    stB.tap = stB.y;
  }
  stateA = stA;
  stateB = stB;
}

float Phaser::centreCoefficient() const { return allpassCoefficient(0.0, 0.0f, phaserFreq); }

void Phaser::retimeTremolo(float beatsPerSample) {
  if (tremoloSync_ != 0)
    tremoloInc = static_cast<float>(tremoloSyncPower(tremoloRate_)) * beatsPerSample;
  else
    tremoloInc = 0.002f * std::pow(tremoloRate_, 4.0f) + 0.0001f;
}

void Phaser::followHostTime(bool tempoChanged, float beatsPerSample, float songPosition) {
  if (tempoChanged && tremoloSync_ != 0) retimeTremolo(beatsPerSample);
  if (tremoloSync_ == 2) {
    tremoloPhase = static_cast<float>(tremoloSyncPower(tremoloRate_) *
                                      static_cast<double>(songPosition) * 1.5707963705062866);
  } else if (tremoloSync_ == 1 && tempoChanged) {
    tremoloInc = beatsPerSample * static_cast<float>(tremoloSyncPower(tremoloRate_));
  }
}

void Phaser::process(float& sym0, float& sym1, float depth) {
  float a, b;
  coefficients(depth, a, b);
  processWith(sym0, sym1, a, b);
  advance();
}

void Phaser::coefficients(float depth, float& a, float& b) const {
  a = allpassCoefficient(tremoloSine(static_cast<double>(tremoloPhase)), depth, phaserFreq);
  b = allpassCoefficient(tremoloSine(static_cast<double>(tremoloPhase + tremoloWide)), depth,
                         phaserFreq);
}

void Phaser::coefficientsInline(float depth, float& a, float& b) const {
  a = allpassCoefficient(tremoloSineInline(static_cast<double>(tremoloPhase)), depth, phaserFreq);
  b = allpassCoefficient(tremoloSineInline(static_cast<double>(tremoloPhase + tremoloWide)), depth,
                         phaserFreq);
}

void Phaser::processWith(float& sym0, float& sym1, float a, float b) {
  allpass(stateA, sym0, a, phaserQ);
  allpass(stateB, sym1, b, phaserQ);
  sym1 = sym1 - phaserMix * stateB.tap;
  sym0 = sym0 - phaserMix * stateA.tap;
  latchTaps();
}

void Phaser::advance() {
  tremoloPhase = tremoloPhase + tremoloInc;
  if (static_cast<double>(tremoloPhase) > kTwoPi)
    tremoloPhase = static_cast<float>(static_cast<double>(tremoloPhase) - kTwoPi);
}

}  // namespace engine
