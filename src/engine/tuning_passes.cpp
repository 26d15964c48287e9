#include "engine/tuning_passes.h"

#include <cmath>

#include "engine/engine.h"
#include "engine/stability.h"

namespace engine {

namespace {

constexpr double kFourPiSquared = 39.47841760435743;

// The random spread factor of one draw: 0.75 .. 1.25 around 1, scaled by the
// randomness setting.
float spread(platform::CrtRandom& random, float randomTune) {
  return (random.rnd() * 0.5f + 0.75f - 1.0f) * randomTune + 1.0f;
}

}  // namespace

float frequencyCoefficient(float hz, float invRate2) {
  const double f = hz;
  return static_cast<float>(f * kFourPiSquared * f * static_cast<double>(invRate2));
}

void keyPitchPass(Engine& e) {
  for (int key = kLowestKey; key <= kHighestKey; ++key) {
    KeyState& k = e.keys[key];
    const float f = std::pow(2.0f, static_cast<float>(key - 69) / 12.0f) * e.tuning().concertA;
    const double f2 = static_cast<double>(f) * static_cast<double>(f);
    // At low sample rates the highest keys would exceed what a resonator
    // can ring at.
    const float coefficient = stableCoefficient(
        static_cast<float>(static_cast<double>(e.tuning().microtune[key % 12]) * f2 *
                           kFourPiSquared * static_cast<double>(e.invRate2())));
    k.aMainFreq = coefficient;
    k.aMainFreqBase = coefficient;
    k.aMainFreqInv = 1.0f / coefficient;
  }
  offsetPass(e);
  springBPass(e);
}

void offsetPass(Engine& e) {
  platform::CrtRandom random(333);
  for (int key = kLowestKey; key <= kHighestKey; ++key) {
    KeyState& k = e.keys[key];
    const float t = spread(random, e.tuning().springARandomTune) * e.tuning().springAOffset;
    // The interval in tenths of a semitone: -12 to +36 semitones.
    const int n = static_cast<int>(480.0f * t) - 120;
    float coefficient =
        static_cast<float>(std::pow(2.0, n / 60.0) * static_cast<double>(k.aMainFreq));
    if (coefficient > kHighestCoefficient) coefficient = kHighestCoefficient;
    k.aOffsetFreq = coefficient;
    k.aOffsetFreqBase = coefficient;
  }
  e.handOverRandom(random.state());
}

void springBPass(Engine& e) {
  platform::CrtRandom random(3334);
  const float lo = e.tuning().springBNoteOffset + e.tuning().springBFreqLow;
  const float step =
      ((e.tuning().springBNoteOffset + e.tuning().springBFreqHigh) - lo) * 0.0078125f;
  const double rate = e.engineRate();
  float sum = 0.0f;
  for (int key = 0; key < kKeyCount; ++key) {
    KeyState& k = e.keys[key];
    // Spring B's pitch runs linearly in note numbers across the keyboard,
    // independent of the key's own pitch.
    const float p = sum + lo;
    auto pitch = [&]() {
      const float note = spread(random, e.tuning().springBRandomTune) * p * 128.0f;
      return std::pow(2.0f, (note - 69.0f) * 0.083333336f) * e.tuning().concertA;
    };
    float f = pitch();
    if (f > 12000.0f)
      f = 12000.0f;
    else
      f = pitch();

    k.crushLevels = std::pow(2.0f, std::floor(f * 0.00033333333f) + 3.0f);
    k.crushStep = 1.0f / k.crushLevels;

    const double fd = f;
    float coefficient = static_cast<float>(fd * fd * kFourPiSquared / (rate * rate) *
                                           static_cast<double>(e.tuning().microtune[key % 12]));
    while (coefficient > kHighestCoefficient && std::isfinite(coefficient))
      coefficient = coefficient * 0.5f;
    k.bFreq0 = coefficient;
    k.bFreqBase = coefficient;
    k.bFreq1 = coefficient * e.keyParams.springBDetune;
    if (coefficient < 0.7f && e.keyParams.springBOctave != 0.0f) k.bFreq1 = k.bFreq1 * 4.0f;
    sum = sum + step;
  }
  e.handOverRandom(random.state());
  couplingPass(e);
}

void couplingPass(Engine& e) {
  for (int key = kLowestKey; key <= kHighestKey; ++key) {
    KeyState& k = e.keys[key];
    // The gain falls toward 0 as spring B's mode 0 nears spring A's modes,
    // which keeps the coupled path from blowing up at unison. While a
    // program is being applied spring B may not be tuned yet.
    if (!(k.bFreq0 > 0.0f)) {
      k.coupling = 1.0f;
      continue;
    }
    const float r = 1.0f / k.bFreq0;
    const float d = std::fabs(1.0f - r * k.aOffsetFreq);
    float coupling = 1.0f;
    if (d < 0.5f) coupling = 2.0f * d / ((1.0f - 2.0f * d) * 2.0f + 1.0f);
    if (e.tuning().springBNoteOffset < 0.05f) {
      const float d2 = std::fabs(1.0f - r * k.aMainFreq);
      if (d2 < 0.5f)
        coupling = (2.0f * d2 / ((1.0f - 2.0f * d2) * 2.0f + 1.0f) * 0.99f + 0.01f) * coupling;
    }
    k.coupling = coupling;
  }
}

}  // namespace engine
