#include "engine/key_model.h"

#include <algorithm>
#include <cmath>

#include "engine/quiet.h"
#include "engine/saturation.h"
#include "engine/stability.h"

namespace engine {

namespace {

float clamp01(float x) { return std::min(std::max(x, 0.0f), 1.0f); }

// One damped mode: velocity follows the displacement, displacement follows
// the velocity scaled by k. A quiet velocity stops the mode exactly. So does
// a displacement step that flushes to zero: with denormals flushed, a dying
// mode would otherwise freeze at a tiny displacement that never turns quiet
// and keep its key running for ever.
inline void modeStep(float& pos, float& vel, float r, float k) {
  vel = vel - pos;
  if (isQuiet(vel)) {
    vel = 0.0f;
    pos = 0.0f;
    return;
  }
  vel = vel * r;
  const float step = vel * k;
  if (step == 0.0f) {
    vel = 0.0f;
    pos = 0.0f;
  } else {
    pos = pos + step;
  }
}

// The resonator pair: mode 1 first, then mode 0.
inline void resonatorPairStep(float& pos0, float& pos1, float& vel0, float& vel1, float r, float k0,
                              float k1) {
  modeStep(pos1, vel1, r, k1);
  modeStep(pos0, vel0, r, k0);
}

// Signed saturation of a coupled displacement. The argument is kept within
// the curve's domain: beyond it the curve has a pole.
inline float saturateSigned(float x, float s) {
  if (x > 0.0f) return saturate(std::min(x, 1.0f), s);
  if (x < 0.0f) return -saturate(std::min(-x, 1.0f), s);
  return 0.0f;
}

}  // namespace

void exciteKey(KeyState& k, float x, platform::CrtRandom& random) {
  const float a = k.exciteAmp;
  float e = k.exciteSum;
  if (e >= a) {
    // The stroke is over; from now on only the scrape acts.
    k.exciteAmp = 0.0f;
    k.exciteSum = 0.0f;
  } else if (k.hitPower >= 1.0f) {
    // Bowing: eight or nine equal pushes.
    if (e == 0.0f) k.strikeAmp = a;
    k.lfoPos = k.lfoPos * 0.5f;
    e = e + k.bowStep;
    k.exciteSum = e;
    k.exciteLevel = 1.0f;
    k.envLevel = clamp01(k.envLevel + (a - k.envLevel) * e);
    k.lfoVel = k.lfoVel + (1.0f - k.lfoVel) * 0.25f;
    k.aOffsetVel = ((k.aOffsetVel + a) - k.aOffsetVel) * 0.25f + k.aOffsetVel;
    k.aMainVel = ((k.aMainVel + a) - k.aMainVel) * 0.25f + k.aMainVel;
  } else {
    // Hitting: a hammer oscillator pushes while it swings forward.
    if (k.bowStep > 0.0f) {
      k.strikeAmp = a;
      k.hammerPos = 1.0f;
      k.hammerVel = 0.0f;
      k.bowStep = 0.0f;
      k.lfoPos = 0.0f;
      k.lfoVel = 1.0f;
    }
    k.hammerVel = k.hammerVel - k.hammerPos;
    e = k.hitPower * k.hitPower + e;
    k.exciteSum = e;
    k.hammerPos = k.hammerPos + k.hammerVel * k.aMainFreq;
    const float c = k.hammerPos * e * a * k.hitPower;
    if (c > 0.0f && std::fabs(c + k.aMainVel) < a) {
      k.aMainVel = k.aMainVel + c;
      if (std::fabs(c + k.aOffsetVel) < a) k.aOffsetVel = k.aOffsetVel + c;
    }
    k.exciteLevel = e;
    if (k.envLevel < a) k.envLevel = k.envLevel + (a - k.envLevel) * e;
  }

  if (x != 0.0f) {
    // Scrape: random pushes into both springs while the mod wheel moves.
    float b = std::sqrt(std::sqrt(k.aMainFreqInv)) * x * std::fabs(x);
    k.aMainPos = k.aMainPos + random.rnd() * b;
    k.aMainVel = k.aMainVel - random.rnd() * (2.0f * b);
    k.aOffsetPos = k.aOffsetPos + random.rnd() * (0.5f * b);
    k.aOffsetVel = k.aOffsetVel - random.rnd() * b;
    b = b * k.bGain;
    k.bPos1 = k.bPos1 + random.rnd() * b;
    k.bVel1 = k.bVel1 - random.rnd() * (2.0f * b);
    k.bPos0 = k.bPos0 + random.rnd() * (0.5f * b);
    k.bVel0 = k.bVel0 - random.rnd() * b;
  }
}

void bendKey(KeyState& k, int key, float bend, const KeyModelParams& p) {
  float d = bend - 1.0f;
  d = d > 0.0f ? d * k.bendUpDepth : d * k.bendDownDepth;
  const float m = d + 1.0f;
  k.aMainFreq = m * k.aMainFreqBase;
  k.aOffsetFreq = m * k.aOffsetFreqBase;
  k.bFreq0 = m * k.bFreqBase;
  if (key > 72) {
    if (k.aOffsetFreq > kHighestCoefficient) k.aOffsetFreq = k.aOffsetFreq * 0.5f;
    if (k.bFreq0 > kHighestCoefficient) k.bFreq0 = k.bFreq0 * 0.5f;
  }
  k.bFreq1 = k.bFreq0 * p.springBDetune;
  if (k.bFreq0 < 0.7f && p.springBOctave != 0.0f) k.bFreq1 = k.bFreq1 * 4.0f;
  k.aMainFreq = stableCoefficient(k.aMainFreq);
  k.aOffsetFreq = stableCoefficient(k.aOffsetFreq);
  k.bFreq0 = stableCoefficient(k.bFreq0);
  k.bFreq1 = stableCoefficient(k.bFreq1);
}

void relaxKey(KeyState& k, float pitchRelax) {
  if (k.aMainFreq == k.aMainFreqBase) return;
  const float d = (k.aMainFreqBase - k.aMainFreq) * pitchRelax;
  if (isQuiet(d)) {
    k.aMainFreq = k.aMainFreqBase;
    k.aOffsetFreq = k.aOffsetFreqBase;
    k.bFreq0 = k.bFreqBase;
  } else {
    k.aMainFreq = k.aMainFreq + d;
    k.aOffsetFreq = k.aOffsetFreq + (k.aOffsetFreqBase - k.aOffsetFreq) * pitchRelax;
    k.bFreq0 = k.bFreq0 + (k.bFreqBase - k.bFreq0) * pitchRelax;
  }
}

void springStep(KeyState& k, const KeySampleInputs& in, const KeyModelParams& p,
                platform::CrtRandom& random) {
  const float s = in.saturation;
  float kA = k.aMainFreq;
  float bal = k.balance;

  // The key's own LFO.
  k.lfoVel = k.lfoVel - k.lfoPos;
  k.lfoPos = k.lfoPos + k.lfoVel * p.lfoFreq;
  if (p.lfoBalance > 0.0f || p.lfoPitch > 0.0f) {
    const float l = k.lfoPos / std::sqrt(p.lfoFreq);
    if (l != 0.0f) {
      if (p.lfoBalance != 0.0f) bal = clamp01(bal + l * p.lfoBalance * 0.5f);
      if (p.lfoPitch != 0.0f) kA = kA * std::max(l * p.lfoPitch + 1.0f - p.lfoPitch * 0.5f, 0.1f);
    }
  }

  // The envelope decays only while one of its depths is in use.
  if (k.envLevel > 0.0f && (p.envBalance > 0.0f || p.envPitch > 0.0f)) {
    if (p.envBalance != 0.0f) bal = clamp01(bal + k.envLevel * p.envBalance);
    if (p.envPitch != 0.0f)
      kA = std::min(kA * (k.envLevel * p.envPitch + 1.0f), kHighestCoefficient);
    k.envLevel = k.envLevel * k.envDecay;
    if (isQuiet(k.envLevel)) k.envLevel = 0.0f;
  }

  k.offsetWeight = bal;
  k.mainWeight = 1.0f - bal;
  kA = stableCoefficient(kA);

  // Spring A: mode 1 is the main mode, mode 0 the offset mode.
  resonatorPairStep(k.aOffsetPos, k.aMainPos, k.aOffsetVel, k.aMainVel, k.damp, k.aOffsetFreq, kA);
  const float w = k.aOffsetPos * k.offsetWeight;
  const float a = k.aMainPos * k.mainWeight;

  k.exciteLevel = k.exciteLevel * k.bDamp;
  if (isQuiet(k.exciteLevel)) k.exciteLevel = 0.0f;
  const float q = k.link ? k.diffusion * k.exciteLevel : k.diffusion;

  if (k.diffusion >= 1.0f) {
    // Noise mode: a resonant two-stage noise filter instead of spring B.
    if (k.exciteLevel > 0.0f && k.bGain > 0.0f) {
      const float g = k.bGain * k.strikeAmp * 10.0f * k.exciteLevel;
      if (g > 0.0f) {
        const float n = (random.rnd() - 0.5f) * g;
        k.bVel0 = (k.bVel0 - n) * in.noiseRes;
        const float pp = k.bVel0 * in.noiseFreq + k.bPos1;
        k.bVel1 = (k.bVel1 - pp) * in.noiseRes;
        k.bPos1 = k.bVel1 * in.noiseFreq + pp;
        k.bPos0 = k.bPos1;
      }
    } else {
      k.bPos0 = 0.0f;
      k.bPos1 = 0.0f;
    }
  } else {
    // Spring mode: spring A drives spring B through the coupling path.
    float kc = k.bGain * k.coupling;
    if (!isQuiet(kc)) {
      kc = kc * (1.0f - std::max(w, 0.0f));
      if (!isQuiet(kc) && q != 0.0f) kc = kc * (1.0f - random.rnd() * q);
      if (!isQuiet(kc)) {
        k.bVel0 = k.bVel0 + kc * k.aOffsetVel * k.offsetWeight;
        k.bVel1 = k.bVel1 + kc * k.aMainVel * k.mainWeight;
        if (s > 0.5f) {
          k.bPos0 = k.bPos0 + 0.5f * kc * saturateSigned(w, s);
          k.bPos1 = k.bPos1 + 0.5f * kc * saturateSigned(a, s);
        } else {
          k.bPos1 = k.bPos1 + kc * a;
          k.bPos0 = k.bPos0 + kc * w;
        }
      }
    }
    resonatorPairStep(k.bPos0, k.bPos1, k.bVel0, k.bVel1, k.bDamp, k.bFreq0, k.bFreq1);
  }

  float out = w + a;
  if (s > 0.5f) {
    const float t = std::min(std::max(2.0f * out, -1.0f), 1.0f);
    out = out >= 0.0f ? 0.25f * saturate(t, s) : -0.25f * saturate(-t, s);
  }
  k.aOut = out;
  k.aOutPrev = k.aOutFir - k.aOutPrev;
  k.aOutFir = k.aOut + k.aOutPrev;

  k.bOut = k.bPos0 + k.bPos1;
  k.bOutPrev = k.bOutFir - k.bOutPrev;
  k.bOutFir = k.bOut + k.bOutPrev;
}

float crushSpringB(const KeyState& k, float springBCrush) {
  const float c = springBCrush - 0.5f;
  const float j = 1.0f - c * 1.02f;
  const float u = (k.bOut * j + 1.0f) * k.crushLevels;
  const float d = std::floor(u);
  const float f = u - d;
  // The curve amount stays below 1 (its pole) even when a key still rings
  // from a hit stroke whose excitation level exceeds 1.
  const float amount = std::min(c * k.exciteLevel + 0.5f, 0.99f);
  const float shaped = saturate(f, amount);
  return (0.5f * shaped + d - k.crushLevels) * k.crushStep / j;
}

void sympatheticStep(KeyState& k, BusSums& buses) {
  k.sympVel = k.sympVel - k.sympPos;
  if (k.sympVel != 0.0f) {
    k.sympVel = k.sympVel * k.sympDamp;
    if (isQuiet(k.sympVel)) {
      k.sympVel = 0.0f;
    } else {
      // As in the springs: a step that flushes to zero means the resonator
      // has died out.
      const float step = k.sympVel * k.aMainFreq;
      if (step == 0.0f) {
        k.sympVel = 0.0f;
        k.sympPos = 0.0f;
      } else {
        k.sympPos = k.sympPos + step;
      }
    }
  }
  if (isQuiet(k.sympPos)) {
    k.sympPos = 0.0f;
  } else {
    buses.sym1 = buses.sym1 + k.sympPos * k.panSympR;
    buses.sym0 = buses.sym0 + k.sympPos * k.panSympL;
  }
}

void stepKeyReference(KeyState& k, int key, const KeySampleInputs& in, const KeyModelParams& p,
                      BusSums& buses, platform::CrtRandom& random) {
  if (!k.held) {
    relaxKey(k, p.pitchRelax);
  } else if (in.sampleIndex >= k.startOffset) {
    exciteKey(k, in.scrape, random);
    k.startOffset = -1;
    bendKey(k, key, in.bend, p);
  }

  // A spring counts as silent when its two-tap output and its
  // displacements are quiet. The output alone is not enough: a saturated
  // spring ringing at a quarter of the sample rate sums to exactly zero over
  // two samples, and zeroing its velocities then pumps it up without bound.
  const bool qa = isQuiet(k.aOutFir) && isQuiet(k.aMainPos) && isQuiet(k.aOffsetPos);
  const bool qb = isQuiet(k.bOutFir) && isQuiet(k.bPos0) && isQuiet(k.bPos1);
  if (k.held || !qa || !qb) {
    springStep(k, in, p, random);
    if (!qa) {
      buses.spring1 = buses.spring1 + k.aOut * k.panAR * p.springAGain;
      buses.spring0 = buses.spring0 + k.aOut * k.panAL * p.springAGain;
    }
    if (!qb) {
      float y = k.bOut;
      if (p.springBCrush > 0.5f && p.hitPower == 1.0f) y = crushSpringB(k, p.springBCrush);
      buses.spring1 = buses.spring1 + y * k.panBR;
      buses.spring0 = buses.spring0 + y * k.panBL;
    }
  }
  if (qa) {
    k.aOut = 0.0f;
    k.aOffsetVel = 0.0f;
    k.aMainVel = 0.0f;
  }
  if (qb) {
    k.bOut = 0.0f;
    k.bVel0 = 0.0f;
    k.bVel1 = 0.0f;
  }
  sympatheticStep(k, buses);
}

void stepKeysReference(KeyState* keys, const KeySampleInputs& in, const KeyModelParams& p,
                       BusSums& buses, platform::CrtRandom& random) {
  for (int key = kLowestKey; key <= kHighestKey; ++key)
    stepKeyReference(keys[key], key, in, p, buses, random);
}

}  // namespace engine
