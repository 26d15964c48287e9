#include "engine/sand_grains.h"

#include <algorithm>
#include <cmath>

#include "engine/quiet.h"

namespace engine {

namespace {

void placeGrains(SandGrain* grains, int32_t count) {
  float x = -1.0f;
  const float step = 2.0f / static_cast<float>(count);
  for (int32_t i = 0; i < count; ++i) {
    grains[i] = SandGrain{x, 0.0f, 0.0f, 0.0f, 0.0f};
    x = x + step;
  }
}

// The filter's frequency jumps with the number of grains kicked each
// sample; at high resonance and frequency such jumps can pump energy into
// it. A filter that runs away is reset rather than left to overflow.
constexpr float kRunawayLevel = 1000.0f;

void filterStep(SandFilter& f, float x, float res, float g) {
  f.va = f.va - x;
  if (isQuiet(f.va)) {
    f.p = 0.0f;
    f.va = 0.0f;
  } else {
    f.va = f.va * res;
    f.p = f.p + f.va * g;
  }
  f.vb = f.vb - f.p;
  if (isQuiet(f.vb)) {
    f.vb = 0.0f;
    f.p = 0.0f;
  } else {
    f.vb = f.vb * res;
    f.p = f.p + f.vb * g;
  }
  if (!(std::fabs(f.p) <= kRunawayLevel)) f = SandFilter{};
}

// The grains' places at construction, worked out by the compiler (the
// same single-precision steps): building the plug-in object then leaves the
// caller's floating-point status flags alone.
struct InitialPlaces {
  float pos[SandGrains::kMaxGrains];
};

constexpr InitialPlaces initialPlaces() {
  InitialPlaces p{};
  for (int32_t i = 0; i < SandGrains::kMaxGrains; ++i)
    p.pos[i] = -1.0f + 0.02f * static_cast<float>(i);
  return p;
}

constexpr InitialPlaces kInitialPlaces = initialPlaces();

}  // namespace

SandGrains::SandGrains() {
  for (int32_t i = 0; i < kMaxGrains; ++i)
    sandGrains[i] = SandGrain{kInitialPlaces.pos[i], 0.0f, 0.0f, 0.0f, 0.0f};
}

void SandGrains::clearRunningState() {
  sandLevel = sandDrive = sandSumL = sandSumR = 0.0f;
  sandFilterL = SandFilter{};
  sandFilterR = SandFilter{};
}

void SandGrains::setCount(int32_t count) {
  sandCount = std::min(std::max<int32_t>(count, 0), kMaxGrains);
  if (sandCount >= 1) placeGrains(sandGrains, sandCount);
  clearRunningState();
}

void SandGrains::process(float& out0, float& out1, platform::CrtRandom& random) {
  sandDrive = (sandDrive - (out1 + out0) * 0.5f) * 0.25f;
  sandLevel = sandLevel - sandDrive * 0.1f;
  sandSumL = 0.0f;
  sandSumR = 0.0f;
  float active = 0.0f;
  const float share = 1.0f / static_cast<float>(sandCount);

  for (int32_t i = 0; i < sandCount; ++i) {
    SandGrain& g = sandGrains[i];
    if (sandLevel < g.threshold) g.energy = g.energy - (g.energy * g.energy + 1e-5f);
    g.threshold = g.threshold + g.energy;
    if (g.threshold <= sandLevel) {
      // The level has reached the grain: kick it.
      g.threshold = g.energy - (sandLevel - g.threshold) + sandLevel;
      const float q = 1.0f - 2.0f * random.rnd();
      g.energy =
          std::max(sandDrive, 0.0f) * 0.005f -
          (1.0f - 0.5f * (g.pos * g.pos)) * g.energy * (sandKick - std::fabs(q) * sandKickSpread);
      // Beyond +-1 the energy's own decay step diverges (e - e^2); only a
      // runaway input gets there.
      g.energy = std::min(std::max(g.energy, -1.0f), 1.0f);
      if (std::fabs(g.energy) >= 1.5e-5f) {
        g.ring = g.ring + 100.0f * g.energy;
        g.vel = (q + g.vel) * g.energy * 0.25f;
        active = active + share;
      } else {
        // Too weak to move: the grain rests and re-arms at the current level.
        g.energy = 0.0f;
        g.threshold = sandLevel;
        g.vel = 0.0f;
      }
    }
    g.pos = g.pos + g.vel;
    if (g.pos > 1.0f || g.pos < -1.0f) {
      g.vel = -g.vel;
      g.pos = g.pos + g.vel;
    }
    if (isQuiet(g.ring)) {
      g.ring = 0.0f;
    } else {
      const float m = g.pos * 0.5f * sandWidth + 0.5f;
      const float energy = g.ring * g.ring;
      sandSumR = sandSumR + m * energy;
      sandSumL = sandSumL + (1.0f - m) * energy;
      g.ring = (0.5f - 0.499f * (g.pos * g.pos)) * g.ring;
    }
  }

  filter(active, out0, out1);
}

void SandGrains::filter(float active, float& out0, float& out1) {
  const float gain = (active * 0.9f + 0.1f) * sandFreq;
  filterStep(sandFilterL, sandSumL, sandRes, gain);
  filterStep(sandFilterR, sandSumR, sandRes, gain);
  out0 = out0 + sandFilterL.p;
  out1 = out1 + sandFilterR.p;
}

}  // namespace engine
