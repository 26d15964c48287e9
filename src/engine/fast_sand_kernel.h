// The sand grains on SIMD lanes: SandGrains::process for a whole chunk,
// grains side by side. Each sample the kick decisions of a group of
// grains are known before any of its draws is made, so the draws are
// filled in grain order; the per-sample sums over the grains stay in grain
// order through tiles of eight samples.
//
// Templates over the lane type only, like fast_key_kernel.h.
#pragma once

#include "engine/fast_shape_kernel.h"
#include "engine/tremolo_sines.h"

#include "engine/fast_key_kernel.h"

namespace engine {
namespace fast_kernel {

template <class L>
void sandPhase(SandLanes& s, SandChunk& c) {
  using F = typename L::F;
  using M = typename L::M;
  constexpr int W = L::kWidth;
  constexpr int kGroups = kSandLanes / W;
  const int groups = (c.grains + W - 1) / W;
  const F zero = L::set(0.0f);
  const F one = L::set(1.0f);
  const F half = L::set(0.5f);
  const F negZero = L::negZero();
  const F kick = L::set(c.kick);
  const F spread = L::set(c.kickSpread);
  const F width = L::set(c.width);
  float level = c.level;
  float drive = c.drive;
  uint32_t random = c.random;

  F tileR[kGroups][W];
  F tileL[kGroups][W];
  for (int first = 0; first < c.count; first += W) {
    const int rows = c.count - first < W ? c.count - first : W;
    for (int r = 0; r < rows; ++r) {
      const int j = first + r;
      drive = (drive - (c.in1[j] + c.in0[j]) * 0.5f) * 0.25f;
      level = level - drive * 0.1f;
      if (c.bodyDraw[j]) random = random * 214013u + 2531011u;
      const F levelV = L::set(level);
      const F kickDrive = L::set((drive < 0.0f ? 0.0f : drive) * 0.005f);
      int kicked = 0;
      for (int gi = 0; gi < groups; ++gi) {
        const int base = gi * W;
        const M grain = L::loadMask(s.grain + base);
        F pos = L::load(s.pos + base);
        F threshold = L::load(s.threshold + base);
        F vel = L::load(s.vel + base);
        F energy = L::load(s.energy + base);
        F ring = L::load(s.ring + base);

        const M below = grain & L::lt(levelV, threshold);
        energy = L::select(below, energy - (energy * energy + L::set(1e-5f)), energy);
        threshold = L::select(grain, threshold + energy, threshold);
        const M kicks = grain & L::le(threshold, levelV);
        if (L::any(kicks)) {
          // q = 1 - 2 rnd, rnd = rand() / 32767 as the generator forms it.
          const F qv =
              one - L::set(2.0f) * (L::drawInts(random, L::bits(kicks)) * L::set(3.0518509e-05f));
          const F rearmed = energy - (levelV - threshold) + levelV;
          F e = kickDrive - (one - half * (pos * pos)) * energy * (kick - L::abs(qv) * spread);
          e = L::min(L::max(e, L::set(-1.0f)), one);
          const M strong = kicks & L::ge(L::abs(e), L::set(1.5e-5f));
          const M weak = L::andNot(kicks, strong);
          ring = L::select(strong, ring + L::set(100.0f) * e, ring);
          vel = L::select(strong, (qv + vel) * e * L::set(0.25f), L::zeroWhere(weak, vel));
          energy = L::select(strong, e, L::zeroWhere(weak, energy));
          threshold = L::select(strong, rearmed, L::select(weak, levelV, threshold));
          for (int b = L::bits(strong); b != 0; b &= b - 1) ++kicked;
        }
        pos = L::select(grain, pos + vel, pos);
        const M bounce = grain & (L::gt(pos, one) | L::lt(pos, L::set(-1.0f)));
        vel = L::select(bounce, L::neg(vel), vel);
        pos = L::select(bounce, pos + vel, pos);

        const M ringing = L::andNot(grain, L::quiet(ring));
        const F m = pos * half * width + half;
        const F energyOut = ring * ring;
        tileR[gi][r] = L::select(ringing, m * energyOut, negZero);
        tileL[gi][r] = L::select(ringing, (one - m) * energyOut, negZero);
        const F decayed = (half - L::set(0.499f) * (pos * pos)) * ring;
        ring = L::select(ringing, decayed, L::select(grain, zero, ring));

        L::store(s.pos + base, pos);
        L::store(s.threshold + base, threshold);
        L::store(s.vel + base, vel);
        L::store(s.energy + base, energy);
        L::store(s.ring + base, ring);
      }
      c.kicked[j] = kicked;
    }
    // Sums over the grains in grain order, eight samples at a time.
    F sumR = zero;
    F sumL = zero;
    for (int gi = 0; gi < groups; ++gi) {
      for (int r = rows; r < W; ++r) tileR[gi][r] = tileL[gi][r] = negZero;
      L::transpose(tileR[gi]);
      L::transpose(tileL[gi]);
      for (int lane = 0; lane < W; ++lane) {
        sumR = sumR + tileR[gi][lane];
        sumL = sumL + tileL[gi][lane];
      }
    }
    L::store(c.sumR + first, sumR);
    L::store(c.sumL + first, sumL);
  }
  c.level = level;
  c.drive = drive;
  c.random = random;
}

template <class L>
FastKernels kernelsFor(const char* name) {
  return FastKernels{L::kWidth,      name,          &springPhase<L>, &sympPhase<L>,
                     &stepSample<L>, &sandPhase<L>, &shapeChunk<L>,  &tremoloSinesScalar};
}

}  // namespace fast_kernel
}  // namespace engine
