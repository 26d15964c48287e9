#include "engine/phaser.h"

#include <algorithm>

#include "engine/quiet.h"
#include "engine/tremolo_sine.h"

namespace engine {

namespace {

// With full feedback an allpass coefficient of +-1 puts a pole on the unit
// circle (an integrator); the tremolo can sweep the coefficient there.
constexpr float kLargestCoefficient = 0.9995f;

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
  b = allpassCoefficient(tremoloSineInline(static_cast<double>(tremoloPhase + tremoloWide)),
                         depth, phaserFreq);
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
