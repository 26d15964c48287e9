#include "engine/phaser.h"

#include <algorithm>

#include "engine/quiet.h"
#include "engine/tremolo_sine.h"

namespace engine {

namespace {

// With full feedback an allpass coefficient of +-1 puts a pole on the unit
// circle (an integrator); the tremolo can sweep the coefficient there.
constexpr float kLargestCoefficient = 0.9995f;

void allpass(AllpassState& st, float input, float theta, float depth, float freq, float q) {
  const float sine = static_cast<float>(tremoloSine(static_cast<double>(theta)));
  const float e = (depth * sine + 1.0f) * freq;
  const float c =
      std::min(std::max((1.0f - e) / (e + 1.0f), -kLargestCoefficient), kLargestCoefficient);
  const float f = input - q * st.tap * c;
  st.tap = f;
  st.y = st.s - f * c;
  st.s = st.y * c + f;
  if (isQuiet(f)) st.tap = 0.0f;
}

constexpr double kTwoPi = 6.283185307179586;

}  // namespace

void Phaser::process(float& sym0, float& sym1, float depth) {
  allpass(stateA, sym0, tremoloPhase, depth, phaserFreq, phaserQ);
  allpass(stateB, sym1, tremoloPhase + tremoloWide, depth, phaserFreq, phaserQ);
  sym1 = sym1 - phaserMix * stateB.tap;
  sym0 = sym0 - phaserMix * stateA.tap;
  latchTaps();
  tremoloPhase = tremoloPhase + tremoloInc;
  if (static_cast<double>(tremoloPhase) > kTwoPi)
    tremoloPhase = static_cast<float>(static_cast<double>(tremoloPhase) - kTwoPi);
}

}  // namespace engine
