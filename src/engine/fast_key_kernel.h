// The key model on SIMD lanes: the reference key step (key_model.cpp) for
// a group of consecutive keys at once, with exactly the same IEEE
// operations in the same order for every lane. Branches of the reference
// become lane masks: both sides are computed where lanes disagree and each
// lane keeps its own side. A conditional `x += y` becomes `x += (m ? y :
// -0)`, an exact identity where the mask is off.
//
// Included by one file per instruction set; everything here is a template
// over the lane type `L` (lanes_avx2.h, lanes_sse2.h) so that each
// instruction set gets its own copy, and nothing here calls inline scalar
// helpers that other files compile differently.
#pragma once

#include <utility>

#include "engine/fast_render_types.h"
#include "engine/stability.h"

#if defined(__GNUC__)
#define VELLMARK_INLINE inline __attribute__((always_inline))
#define VELLMARK_NOINLINE __attribute__((noinline))
#else
#define VELLMARK_INLINE __forceinline
#define VELLMARK_NOINLINE __declspec(noinline)
#endif

namespace engine {
namespace fast_kernel {

// The dynamic state of one group of keys, held in registers (or on the
// stack) while the group steps.
template <class L>
struct Group {
  using F = typename L::F;
#define VELLMARK_GROUP_FIELD(name) F name;
  VELLMARK_KEY_STATE_FIELDS(VELLMARK_GROUP_FIELD)
#undef VELLMARK_GROUP_FIELD
  typename L::I startOffset;

  void load(const KeyLaneState& s, int base) {
#define VELLMARK_GROUP_LOAD(name) name = L::load(s.name + base);
    VELLMARK_KEY_STATE_FIELDS(VELLMARK_GROUP_LOAD)
#undef VELLMARK_GROUP_LOAD
    startOffset = L::loadInt(s.startOffset + base);
  }
  void store(KeyLaneState& s, int base) const {
#define VELLMARK_GROUP_STORE(name) L::store(s.name + base, name);
    VELLMARK_KEY_STATE_FIELDS(VELLMARK_GROUP_STORE)
#undef VELLMARK_GROUP_STORE
    L::storeInt(s.startOffset + base, startOffset);
  }
  // Lanes outside m take their values from `old`.
  void keepWhereNot(typename L::M m, const Group& old) {
#define VELLMARK_GROUP_BLEND(name) name = L::select(m, name, old.name);
    VELLMARK_KEY_STATE_FIELDS(VELLMARK_GROUP_BLEND)
#undef VELLMARK_GROUP_BLEND
    startOffset = L::selectInt(m, startOffset, old.startOffset);
  }
};

// Spring contributions of one sample; -0 where the key adds nothing.
template <class L>
struct SpringOut {
  typename L::F a1, a0, b1, b0;
};

// Bent coefficients for a bend value that holds over the whole chunk.
template <class L>
struct BendCache {
  typename L::F aMain = L::set(0.0f), aOffset = L::set(0.0f), b0 = L::set(0.0f), b1 = L::set(0.0f);
  typename L::M applied = L::none();  // lanes that already carry them
  bool ready = false;
};

// Draws for one group and sample.
template <class L>
struct GroupDraws {
  alignas(64) float scrape[8 * L::kWidth];
  alignas(64) float spring[L::kWidth] = {};
};

// The block path steps groups over many samples and draws nothing; a key
// that would draw marks the chunk for the sample-by-sample path.
struct NoDraws {
  static constexpr bool kCanDraw = false;
  bool wanted = false;
  template <class L>
  void fill(int scrapeBits, int springBits, GroupDraws<L>& d) {
    if (!(scrapeBits | springBits)) return;
    wanted = true;
    for (float& x : d.scrape) x = 0.0f;
  }
};

// Sample by sample: draws come from the engine's generator in key order.
// The common patterns are drawn here with the generator's jump-ahead, the
// others through the scalar hook.
struct HookDraws {
  static constexpr bool kCanDraw = true;
  const SampleHooks* hooks;
  template <class L>
  void fill(int scrapeBits, int springBits, GroupDraws<L>& d) {
    constexpr int W = L::kWidth;
    const typename L::F scale = L::set(3.0518509e-05f);  // rnd() = rand() / 32767
    uint32_t& state = *hooks->random;
    if (scrapeBits == 0 && springBits != 0) {
      L::store(d.spring, L::drawInts(state, springBits) * scale);
    } else if (scrapeBits == (1 << W) - 1 && springBits == 0) {
      // Every lane scrapes: draws 8l..8l+7 are lane l's, in scrape order.
      // Blocks of W consecutive draws, transposed into one row per scrape
      // line.
      typename L::F blocks[8];
      for (int b = 0; b < 8; ++b) blocks[b] = L::drawIntsAt(state, b * W) * scale;
      state = kCrtJumps.mul[8 * W] * state + kCrtJumps.add[8 * W];
      for (int half = 0; half < 8 / W; ++half) {
        typename L::F rows[W];
        for (int lane = 0; lane < W; ++lane) rows[lane] = blocks[lane * (8 / W) + half];
        L::transpose(rows);
        for (int k = 0; k < W; ++k) L::store(d.scrape + (half * W + k) * W, rows[k]);
      }
    } else if (scrapeBits | springBits) {
      hooks->fillDraws(hooks->context, W, scrapeBits, springBits, d.scrape, d.spring);
    }
  }
};

// Adds a tile of contributions (rows = samples, lanes = keys) to a bus in
// key order: for each key, its value at every sample of the tile.
template <class L>
VELLMARK_INLINE void addTile(const typename L::F* rows, float* bus) {
  L::store(bus, L::addColumns(L::load(bus), rows));
}

// The same for two interleaved kinds of contribution (spring A then
// spring B of each key).
template <class L>
VELLMARK_INLINE void addTilePair(const typename L::F* first, const typename L::F* second,
                                 float* bus) {
  L::store(bus, L::addColumnPairs(L::load(bus), first, second));
}

template <class L>
struct Kernel {
  using F = typename L::F;
  using M = typename L::M;
  using I = typename L::I;

  VELLMARK_INLINE static F zero() { return L::set(0.0f); }
  VELLMARK_INLINE static F one() { return L::set(1.0f); }

  // std::min(std::max(x, 0), 1)
  VELLMARK_INLINE static F clamp01(F x) { return L::min(L::max(x, zero()), one()); }

  // The saturation curve S(x) with its two constants for this amount.
  VELLMARK_INLINE static F saturate(F x, F high, F low) {
    const F y = x + x;
    const F u = y - one();
    const F above = u / (high * (one() - u) + one()) + one();
    const F below = y / (low * (one() - y) + one());
    return L::select(L::ge(x, L::set(0.5f)), above, below);
  }

  // Signed saturation of a coupled displacement: 0 for 0 and NaN.
  VELLMARK_INLINE static F saturateSigned(F x, F high, F low) {
    const M positive = L::gt(x, zero());
    const M negative = L::lt(x, zero());
    const F s = saturate(L::min(L::select(positive, x, L::neg(x)), one()), high, low);
    return L::select(positive, s, L::select(negative, L::neg(s), zero()));
  }

  // One damped mode; a quiet velocity stops it exactly.
  VELLMARK_INLINE static void modeStep(F& pos, F& vel, F r, F k) {
    const F v = vel - pos;
    const F damped = v * r;
    const F step = damped * k;
    // Stopped by a quiet velocity, or died out: a step that flushes to zero.
    const M stopped = L::quietResult(v) | L::eq(step, zero());
    vel = L::zeroWhere(stopped, damped);
    pos = L::zeroWhere(stopped, pos + step);
  }

  // The coefficients bendKey gives for this sample's bend.
  VELLMARK_INLINE static void bentCoefficients(const KeyLanes& k, int base, float bend,
                                               const ChunkParams& cp, F& aMain, F& aOffset, F& b0,
                                               F& b1) {
    const float d = bend - 1.0f;
    const F dv = L::set(d);
    const F depth = d > 0.0f ? L::load(k.bendUpDepth + base) : L::load(k.bendDownDepth + base);
    const F m = dv * depth + one();
    aMain = m * L::load(k.aMainFreqBase + base);
    aOffset = m * L::load(k.aOffsetFreqBase + base);
    b0 = m * L::load(k.bFreqBase + base);
    const M high = L::loadMask(k.highKey + base);
    const F limit = L::set(kHighestCoefficient);
    const F half = L::set(0.5f);
    aOffset = L::select(high & L::gt(aOffset, limit), aOffset * half, aOffset);
    b0 = L::select(high & L::gt(b0, limit), b0 * half, b0);
    b1 = b0 * L::set(cp.p.springBDetune);
    if (cp.p.springBOctave != 0.0f) b1 = L::select(L::lt(b0, L::set(0.7f)), b1 * L::set(4.0f), b1);
    const F stable = L::set(kStableCoefficient);
    aMain = L::min(aMain, stable);
    aOffset = L::min(aOffset, stable);
    b0 = L::min(b0, stable);
    b1 = L::min(b1, stable);
  }

  // Pitch relax of the keys not held.
  VELLMARK_INLINE static void relax(Group<L>& g, const KeyLanes& k, int base, M held,
                                    const ChunkParams& cp) {
    const F mainBase = L::load(k.aMainFreqBase + base);
    const M relaxing = L::andNot(L::ne(g.aMainFreq, mainBase), held);
    if (!L::any(relaxing)) return;
    const F rate = L::set(cp.p.pitchRelax);
    const F offsetBase = L::load(k.aOffsetFreqBase + base);
    const F b0Base = L::load(k.bFreqBase + base);
    const F d = (mainBase - g.aMainFreq) * rate;
    const M snap = L::quietResult(d);
    const F aMain = L::select(snap, mainBase, g.aMainFreq + d);
    const F aOffset =
        L::select(snap, offsetBase, g.aOffsetFreq + (offsetBase - g.aOffsetFreq) * rate);
    const F b0 = L::select(snap, b0Base, g.bFreq0 + (b0Base - g.bFreq0) * rate);
    g.aMainFreq = L::select(relaxing, aMain, g.aMainFreq);
    g.aOffsetFreq = L::select(relaxing, aOffset, g.aOffsetFreq);
    g.bFreq0 = L::select(relaxing, b0, g.bFreq0);
  }

  // The stroke part of the excitation for lanes whose stroke runs.
  VELLMARK_INLINE static void stroke(Group<L>& g, const KeyLanes& k, int base, M stroking) {
    const F a = g.exciteAmp;
    const F e = g.exciteSum;
    const F hitPower = L::load(k.hitPower + base);
    const M bowing = stroking & L::ge(hitPower, one());
    const M hitting = L::andNot(stroking, L::ge(hitPower, one()));
    if (L::any(bowing)) {
      const F quarter = L::set(0.25f);
      g.strikeAmp = L::select(bowing & L::eq(e, zero()), a, g.strikeAmp);
      g.lfoPos = L::select(bowing, g.lfoPos * L::set(0.5f), g.lfoPos);
      const F sum = e + g.bowStep;
      g.exciteSum = L::select(bowing, sum, g.exciteSum);
      g.exciteLevel = L::select(bowing, one(), g.exciteLevel);
      g.envLevel = L::select(bowing, clamp01(g.envLevel + (a - g.envLevel) * sum), g.envLevel);
      g.lfoVel = L::select(bowing, g.lfoVel + (one() - g.lfoVel) * quarter, g.lfoVel);
      g.aOffsetVel = L::select(bowing, ((g.aOffsetVel + a) - g.aOffsetVel) * quarter + g.aOffsetVel,
                               g.aOffsetVel);
      g.aMainVel =
          L::select(bowing, ((g.aMainVel + a) - g.aMainVel) * quarter + g.aMainVel, g.aMainVel);
    }
    if (L::any(hitting)) {
      const M first = hitting & L::gt(g.bowStep, zero());
      g.strikeAmp = L::select(first, a, g.strikeAmp);
      g.hammerPos = L::select(first, one(), g.hammerPos);
      g.hammerVel = L::select(first, zero(), g.hammerVel);
      g.bowStep = L::select(first, zero(), g.bowStep);
      g.lfoPos = L::select(first, zero(), g.lfoPos);
      g.lfoVel = L::select(first, one(), g.lfoVel);
      const F hammerVel = g.hammerVel - g.hammerPos;
      const F sum = hitPower * hitPower + e;
      const F hammerPos = g.hammerPos + hammerVel * g.aMainFreq;
      const F c = hammerPos * sum * a * hitPower;
      const M pushMain = hitting & L::gt(c, zero()) & L::lt(L::abs(c + g.aMainVel), a);
      const M pushOffset = pushMain & L::lt(L::abs(c + g.aOffsetVel), a);
      g.aMainVel = L::select(pushMain, g.aMainVel + c, g.aMainVel);
      g.aOffsetVel = L::select(pushOffset, g.aOffsetVel + c, g.aOffsetVel);
      g.hammerVel = L::select(hitting, hammerVel, g.hammerVel);
      g.hammerPos = L::select(hitting, hammerPos, g.hammerPos);
      g.exciteSum = L::select(hitting, sum, g.exciteSum);
      g.exciteLevel = L::select(hitting, sum, g.exciteLevel);
      const M rising = hitting & L::lt(g.envLevel, a);
      g.envLevel = L::select(rising, g.envLevel + (a - g.envLevel) * sum, g.envLevel);
    }
  }

  // Lanes whose noise-mode spring B draws this sample, given the decayed
  // excitation level. The scrape does not touch any of these values, so
  // the answer is known before the scrape draws are made.
  VELLMARK_INLINE static M noiseDrawLanes(const KeyLanes& k, int base, M noiseLanes, F level,
                                          F strikeAmp) {
    const F bGain = L::load(k.bGain + base);
    const F gain = bGain * strikeAmp * L::set(10.0f) * level;
    return noiseLanes & L::gt(level, zero()) & L::gt(bGain, zero()) & L::gt(gain, zero());
  }

  VELLMARK_INLINE static F decayedLevel(F exciteLevel, F bDamp) {
    const F level = exciteLevel * bDamp;
    return L::zeroWhere(L::quietResult(level), level);
  }

  // Everything the render loop does for one group of keys at one sample
  // except the sympathetic resonators. Returns false, before changing
  // anything, when the draws of this group cannot be ordered lane by lane
  // (scrape together with diffusion in spring mode); the caller then steps
  // the group with the reference code.
  template <class Draws>
  VELLMARK_INLINE static bool step(Group<L>& g, const KeyLanes& k, int base, const ChunkInputs& in,
                                   int j, const ChunkParams& cp, BendCache<L>& bend, Draws& draws,
                                   SpringOut<L>& out) {
    const KeyModelParams& p = cp.p;
    const M held = L::loadMask(k.held + base);
    const M started = held & L::geInt(L::setInt(in.firstIndex + j), g.startOffset);
    const float scrape = in.scrape[j];
    const M scraping = scrape != 0.0f ? started : L::none();
    // A lane's spring step runs while it is held or either spring sounds;
    // only held lanes change before the test, and they run anyway.
    const M runs = held | L::invert(L::quiet3(g.aOutFir, g.aMainPos, g.aOffsetPos) &
                                    L::quiet3(g.bOutFir, g.bPos0, g.bPos1));
    const F diffusion = L::load(k.diffusion + base);
    const M springMode = L::invert(L::ge(diffusion, one()));
    if (Draws::kCanDraw && L::any(scraping)) {
      // A diffusion draw depends on spring A after the scrape: the lanes
      // after it could not know where their own draws start.
      const M mayDiffuse =
          runs & springMode & (L::ne(diffusion, zero()) | L::loadMask(k.link + base));
      if (L::any(mayDiffuse)) return false;
    }

    if (!L::every(held)) relax(g, k, base, held, cp);

    GroupDraws<L> drawn;
    bool drawsTaken = false;
    M noiseDraws = L::none();
    if (L::any(started)) {
      const M over = started & L::ge(g.exciteSum, g.exciteAmp);
      const M stroking = L::andNot(started, L::ge(g.exciteSum, g.exciteAmp));
      if (L::any(stroking)) stroke(g, k, base, stroking);
      g.exciteAmp = L::select(over, zero(), g.exciteAmp);
      g.exciteSum = L::select(over, zero(), g.exciteSum);

      if (L::any(scraping)) {
        // Each lane's noise draw follows its eight scrape draws.
        const M noiseLanes = L::andNot(runs, springMode);
        if (L::any(noiseLanes))
          noiseDraws =
              noiseDrawLanes(k, base, noiseLanes,
                             decayedLevel(g.exciteLevel, L::load(k.bDamp + base)), g.strikeAmp);
        drawsTaken = true;
        draws.template fill<L>(L::bits(scraping), L::bits(noiseDraws), drawn);
        const F x = L::set(scrape);
        F b = L::sqrt(L::sqrt(L::load(k.aMainFreqInv + base))) * x * L::abs(x);
        const F two = L::set(2.0f);
        const F half = L::set(0.5f);
        auto r = [&](int n) { return L::load(drawn.scrape + n * L::kWidth); };
        g.aMainPos = L::select(scraping, g.aMainPos + r(0) * b, g.aMainPos);
        g.aMainVel = L::select(scraping, g.aMainVel - r(1) * (two * b), g.aMainVel);
        g.aOffsetPos = L::select(scraping, g.aOffsetPos + r(2) * (half * b), g.aOffsetPos);
        g.aOffsetVel = L::select(scraping, g.aOffsetVel - r(3) * b, g.aOffsetVel);
        b = b * L::load(k.bGain + base);
        g.bPos1 = L::select(scraping, g.bPos1 + r(4) * b, g.bPos1);
        g.bVel1 = L::select(scraping, g.bVel1 - r(5) * (two * b), g.bVel1);
        g.bPos0 = L::select(scraping, g.bPos0 + r(6) * (half * b), g.bPos0);
        g.bVel0 = L::select(scraping, g.bVel0 - r(7) * b, g.bVel0);
      }
      g.startOffset = L::selectInt(started, L::setInt(-1), g.startOffset);

      // Pitch bend. A bend that holds over the chunk gives the same
      // coefficients at every sample: each lane takes them once.
      if (in.bendConstant) {
        const M pending = L::andNot(started, bend.applied);
        if (L::any(pending)) {
          if (!bend.ready) {
            bentCoefficients(k, base, in.bend[j], cp, bend.aMain, bend.aOffset, bend.b0, bend.b1);
            bend.ready = true;
          }
          g.aMainFreq = L::select(pending, bend.aMain, g.aMainFreq);
          g.aOffsetFreq = L::select(pending, bend.aOffset, g.aOffsetFreq);
          g.bFreq0 = L::select(pending, bend.b0, g.bFreq0);
          g.bFreq1 = L::select(pending, bend.b1, g.bFreq1);
          bend.applied = bend.applied | pending;
        }
      } else {
        F aMain, aOffset, b0, b1;
        bentCoefficients(k, base, in.bend[j], cp, aMain, aOffset, b0, b1);
        g.aMainFreq = L::select(started, aMain, g.aMainFreq);
        g.aOffsetFreq = L::select(started, aOffset, g.aOffsetFreq);
        g.bFreq0 = L::select(started, b0, g.bFreq0);
        g.bFreq1 = L::select(started, b1, g.bFreq1);
      }
    }

    const M qa = L::quiet3(g.aOutFir, g.aMainPos, g.aOffsetPos);
    const M qb = L::quiet3(g.bOutFir, g.bPos0, g.bPos1);

    if (L::any(runs)) {
      const bool partial = !L::every(runs);
      Group<L> before;
      if (partial) before = g;
      springStep(g, k, base, in, j, cp, runs, springMode, drawsTaken, noiseDraws, drawn, draws);
      if (partial) g.keepWhereNot(runs, before);
    }

    // Bus contributions of the keys whose springs were sounding.
    const F gainA = L::set(p.springAGain);
    const F negZero = L::negZero();
    out.a1 = L::select(qa, negZero, g.aOut * L::load(k.panAR + base) * gainA);
    out.a0 = L::select(qa, negZero, g.aOut * L::load(k.panAL + base) * gainA);
    F y = g.bOut;
    if (cp.crushSpringB && !L::every(qb)) y = crushSpringB(g, k, base, cp);
    out.b1 = L::select(qb, negZero, y * L::load(k.panBR + base));
    out.b0 = L::select(qb, negZero, y * L::load(k.panBL + base));

    if (L::any(qa)) {
      g.aOut = L::zeroWhere(qa, g.aOut);
      g.aOffsetVel = L::zeroWhere(qa, g.aOffsetVel);
      g.aMainVel = L::zeroWhere(qa, g.aMainVel);
    }
    if (L::any(qb)) {
      g.bOut = L::zeroWhere(qb, g.bOut);
      g.bVel0 = L::zeroWhere(qb, g.bVel0);
      g.bVel1 = L::zeroWhere(qb, g.bVel1);
    }
    return true;
  }

  // The spring step of the lanes in `runs` (others are restored by the
  // caller). Noise draws may already have been taken with the scrape.
  template <class Draws>
  VELLMARK_INLINE static void springStep(Group<L>& g, const KeyLanes& k, int base,
                                         const ChunkInputs& in, int j, const ChunkParams& cp,
                                         M runs, M springMode, bool drawsTaken, M noiseDraws,
                                         GroupDraws<L>& drawn, Draws& draws) {
    const KeyModelParams& p = cp.p;
    const float s = in.saturation[j];
    const bool saturating = s > 0.5f;
    F kA = g.aMainFreq;
    F bal = L::load(k.balance + base);

    g.lfoVel = g.lfoVel - g.lfoPos;
    g.lfoPos = g.lfoPos + g.lfoVel * L::set(p.lfoFreq);
    if (cp.lfoModulates) {
      const F l = g.lfoPos / L::set(cp.lfoFreqRoot);
      const M moving = L::ne(l, zero());
      if (p.lfoBalance != 0.0f)
        bal = L::select(moving, clamp01(bal + l * L::set(p.lfoBalance) * L::set(0.5f)), bal);
      if (p.lfoPitch != 0.0f) {
        const F depth = L::set(p.lfoPitch);
        const F factor = L::max(l * depth + one() - depth * L::set(0.5f), L::set(0.1f));
        kA = L::select(moving, kA * factor, kA);
      }
    }
    if (cp.envModulates) {
      const M enveloped = L::gt(g.envLevel, zero());
      if (L::any(enveloped)) {
        if (p.envBalance != 0.0f)
          bal = L::select(enveloped, clamp01(bal + g.envLevel * L::set(p.envBalance)), bal);
        if (p.envPitch != 0.0f)
          kA = L::select(
              enveloped,
              L::min(kA * (g.envLevel * L::set(p.envPitch) + one()), L::set(kHighestCoefficient)),
              kA);
        const F decayed = g.envLevel * L::load(k.envDecay + base);
        g.envLevel =
            L::select(enveloped, L::zeroWhere(L::quietResult(decayed), decayed), g.envLevel);
      }
    }
    g.offsetWeight = bal;
    g.mainWeight = one() - bal;
    kA = L::min(kA, L::set(kStableCoefficient));

    // Spring A: mode 1 is the main mode, mode 0 the offset mode.
    const F damp = L::load(k.damp + base);
    modeStep(g.aMainPos, g.aMainVel, damp, kA);
    modeStep(g.aOffsetPos, g.aOffsetVel, damp, g.aOffsetFreq);
    const F w = g.aOffsetPos * g.offsetWeight;
    const F a = g.aMainPos * g.mainWeight;

    const F bDamp = L::load(k.bDamp + base);
    g.exciteLevel = decayedLevel(g.exciteLevel, bDamp);

    // Spring-mode coupling strength, and whether it takes a diffusion draw.
    const F bGain = L::load(k.bGain + base);
    F kc = bGain * L::load(k.coupling + base);
    const M coupled = L::invert(L::quietResult(kc));
    kc = kc * (one() - L::max(w, zero()));
    const M stillCoupled = L::andNot(coupled, L::quietResult(kc));
    const F diffusion = L::load(k.diffusion + base);
    const F q = L::select(L::loadMask(k.link + base), diffusion * g.exciteLevel, diffusion);
    const M diffuseDraws = springMode & runs & stillCoupled & L::ne(q, zero());
    const M noiseLanes = L::andNot(runs, springMode);
    if (!drawsTaken) {
      // One draw per lane in lane order, noise and diffusion lanes alike.
      if (L::any(noiseLanes))
        noiseDraws = noiseDrawLanes(k, base, noiseLanes, g.exciteLevel, g.strikeAmp);
      draws.template fill<L>(0, L::bits(noiseDraws | diffuseDraws), drawn);
    } else {
      draws.template fill<L>(0, L::bits(diffuseDraws), drawn);
    }
    const F r = L::load(drawn.spring);

    if (L::any(noiseLanes)) {
      // Noise mode: a resonant two-stage noise filter instead of spring B.
      const F noiseRes = L::set(in.noiseRes[j]);
      const F noiseFreq = L::set(in.noiseFreq[j]);
      const F gain = bGain * g.strikeAmp * L::set(10.0f) * g.exciteLevel;
      const F n = (r - L::set(0.5f)) * gain;
      const F vel0 = (g.bVel0 - n) * noiseRes;
      const F pp = vel0 * noiseFreq + g.bPos1;
      const F vel1 = (g.bVel1 - pp) * noiseRes;
      const F pos1 = vel1 * noiseFreq + pp;
      g.bVel0 = L::select(noiseDraws, vel0, g.bVel0);
      g.bVel1 = L::select(noiseDraws, vel1, g.bVel1);
      g.bPos1 = L::select(noiseDraws, pos1, g.bPos1);
      g.bPos0 = L::select(noiseDraws, pos1, g.bPos0);
      const M silent = L::andNot(noiseLanes, L::gt(g.exciteLevel, zero()) & L::gt(bGain, zero()));
      g.bPos0 = L::zeroWhere(silent, g.bPos0);
      g.bPos1 = L::zeroWhere(silent, g.bPos1);
    }

    if (!L::every(noiseLanes)) {
      // Spring mode: spring A drives spring B through the coupling path.
      const F kcDrawn = L::select(diffuseDraws, kc * (one() - r * q), kc);
      const M apply = L::andNot(coupled, L::quietResult(kcDrawn));
      const F negZero = L::negZero();
      F vel0 = g.bVel0 + L::select(apply, kcDrawn * g.aOffsetVel * g.offsetWeight, negZero);
      F vel1 = g.bVel1 + L::select(apply, kcDrawn * g.aMainVel * g.mainWeight, negZero);
      F pos0, pos1;
      if (saturating) {
        const F high = L::set(in.saturateHigh[j]);
        const F low = L::set(in.saturateLow[j]);
        const F halfK = L::set(0.5f) * kcDrawn;
        pos0 = g.bPos0 + L::select(apply, halfK * saturateSigned(w, high, low), negZero);
        pos1 = g.bPos1 + L::select(apply, halfK * saturateSigned(a, high, low), negZero);
      } else {
        pos1 = g.bPos1 + L::select(apply, kcDrawn * a, negZero);
        pos0 = g.bPos0 + L::select(apply, kcDrawn * w, negZero);
      }
      modeStep(pos1, vel1, bDamp, g.bFreq1);
      modeStep(pos0, vel0, bDamp, g.bFreq0);
      if (L::any(noiseLanes)) {
        g.bVel0 = L::select(noiseLanes, g.bVel0, vel0);
        g.bVel1 = L::select(noiseLanes, g.bVel1, vel1);
        g.bPos0 = L::select(noiseLanes, g.bPos0, pos0);
        g.bPos1 = L::select(noiseLanes, g.bPos1, pos1);
      } else {
        g.bVel0 = vel0;
        g.bVel1 = vel1;
        g.bPos0 = pos0;
        g.bPos1 = pos1;
      }
    }

    F outA = w + a;
    if (saturating) {
      const F high = L::set(in.saturateHigh[j]);
      const F low = L::set(in.saturateLow[j]);
      const F t = L::min(L::max(L::set(2.0f) * outA, L::set(-1.0f)), one());
      const M positive = L::ge(outA, zero());
      const F shaped = saturate(L::select(positive, t, L::neg(t)), high, low);
      outA = L::select(positive, L::set(0.25f), L::set(-0.25f)) * shaped;
    }
    g.aOut = outA;
    g.aOutPrev = g.aOutFir - g.aOutPrev;
    g.aOutFir = g.aOut + g.aOutPrev;

    g.bOut = g.bPos0 + g.bPos1;
    g.bOutPrev = g.bOutFir - g.bOutPrev;
    g.bOutFir = g.bOut + g.bOutPrev;
  }

  // The common case, stepped with the least work: every lane sounding,
  // strokes over, tuning settled, no modulation, saturation, crush or
  // draws. Conditions are checked once per chunk (steadyChunk) and per
  // sample (every lane still sounding or held).
  struct Steady {
    M held;
    // Keys not held whose springs are entirely +0: stepping their springs
    // leaves them +0, but the reference skips the step, so their LFO,
    // excitation level and weights must stay as they are.
    M resting;
    bool anyResting;
    F lfoFreq, damp, mainFreq, offsetFreq, offsetWeight, mainWeight, bDamp, b0Freq, b1Freq;
    F coupling;  // bGain * coupling
    M coupled;
    F panAR, panAL, panBR, panBL, gainA;
  };

  // Whether the group can take the steady loop from the chunk's first
  // sample; if so, does that sample's excitation and bend (which only
  // settle values) and fills in the loop's constants.
  static bool steadyChunk(Group<L>& g, const KeyLanes& k, int base, const ChunkInputs& in,
                          const ChunkParams& cp, Steady& c) {
    if (cp.lfoModulates || cp.crushSpringB || in.anySaturation) return false;
    if (cp.envModulates && L::any(L::gt(g.envLevel, zero()))) return false;
    // The loops test these two for exact zero as a first sign of a quiet
    // spring (exact for arithmetic results under flush-to-zero; a
    // subnormal from elsewhere takes the general step).
    if (L::any(L::subnormal(g.aMainPos) | L::subnormal(g.bPos1))) return false;
    const M held = L::loadMask(k.held + base);
    const F diffusion = L::load(k.diffusion + base);
    if (!L::every(L::eq(diffusion, zero()))) return false;
    if (L::any(L::loadMask(k.link + base))) return false;
    const M settled =
        L::andNot(L::eq(g.aMainFreq, L::load(k.aMainFreqBase + base)), held);  // no relax
    if (!L::every(held | settled)) return false;
    if (L::any(held)) {
      if (in.anyScrape || !in.bendConstant) return false;
      const M ready = L::geInt(L::setInt(in.firstIndex), g.startOffset) &
                      L::same(g.exciteAmp, zero()) & L::same(g.exciteSum, zero());
      if (!L::every(L::invert(held) | ready)) return false;
      // The first sample's excitation only clears what is clear, sets the
      // start offset and applies the bend.
      F aMain, aOffset, b0, b1;
      bentCoefficients(k, base, in.bend[0], cp, aMain, aOffset, b0, b1);
      g.aMainFreq = L::select(held, aMain, g.aMainFreq);
      g.aOffsetFreq = L::select(held, aOffset, g.aOffsetFreq);
      g.bFreq0 = L::select(held, b0, g.bFreq0);
      g.bFreq1 = L::select(held, b1, g.bFreq1);
      g.startOffset = L::selectInt(held, L::setInt(-1), g.startOffset);
    }
    c.held = held;
    M rest = L::invert(held);
    const F* const springs[] = {&g.aOffsetPos, &g.aMainPos, &g.aOffsetVel, &g.aMainVel, &g.bPos0,
                                &g.bPos1,      &g.bVel0,    &g.bVel1,      &g.aOut,     &g.aOutFir,
                                &g.aOutPrev,   &g.bOut,     &g.bOutFir,    &g.bOutPrev};
    for (const F* f : springs) rest = rest & L::same(*f, zero());
    c.resting = rest;
    c.lfoFreq = L::set(cp.p.lfoFreq);
    c.damp = L::load(k.damp + base);
    c.mainFreq = L::min(g.aMainFreq, L::set(kStableCoefficient));
    c.offsetFreq = g.aOffsetFreq;
    c.offsetWeight = L::load(k.balance + base);
    c.mainWeight = one() - c.offsetWeight;
    c.bDamp = L::load(k.bDamp + base);
    c.b0Freq = g.bFreq0;
    c.b1Freq = g.bFreq1;
    c.coupling = L::load(k.bGain + base) * L::load(k.coupling + base);
    c.coupled = L::invert(L::quietResult(c.coupling));
    // Products with the +0 springs stay zeros only for finite factors.
    const F huge = L::set(3.4028235e38f);
    const M finite = L::le(L::abs(c.coupling), huge) & L::le(L::abs(c.offsetWeight), huge) &
                     L::le(L::abs(c.mainWeight), huge);
    c.resting = c.resting & finite;
    c.anyResting = L::any(c.resting);
    c.panAR = L::load(k.panAR + base);
    c.panAL = L::load(k.panAL + base);
    c.panBR = L::load(k.panBR + base);
    c.panBL = L::load(k.panBL + base);
    c.gainA = L::set(cp.p.springAGain);
    return true;
  }

  // Spring A of a group whose keys are all held, over n samples of a
  // sub-block: its outputs go to the buffers for spring B. Two short
  // loops keep fewer values live than one.
  struct Handoff {
    static constexpr int kSamples = 64;
    F w[kSamples], a[kSamples], offsetVel[kSamples], mainVel[kSamples];
    F a1[kSamples + L::kWidth], a0[kSamples + L::kWidth];  // room for a padded tile
  };

  // The running values of a group that its loops keep in registers, under
  // the group's own field names: spring A, spring B, and what the steady
  // step changes (both springs and the weights).
#define VELLMARK_SPRING_A_FIELDS(X) \
  X(lfoPos)                         \
  X(lfoVel)                         \
  X(exciteLevel)                    \
  X(aMainPos)                       \
  X(aMainVel)                       \
  X(aOffsetPos)                     \
  X(aOffsetVel)                     \
  X(aOut)                           \
  X(aOutFir)                        \
  X(aOutPrev)
#define VELLMARK_SPRING_B_FIELDS(X) \
  X(bPos0)                          \
  X(bPos1)                          \
  X(bVel0)                          \
  X(bVel1)                          \
  X(bOut)                           \
  X(bOutFir)                        \
  X(bOutPrev)
#define VELLMARK_STEADY_FIELDS(X) \
  VELLMARK_SPRING_A_FIELDS(X)     \
  X(offsetWeight)                 \
  X(mainWeight)                   \
  VELLMARK_SPRING_B_FIELDS(X)
#define VELLMARK_VALUE_FIELD(name) F name;
#define VELLMARK_VALUE_LOAD(name) name = g.name;
#define VELLMARK_VALUE_SAVE(name) g.name = name;
#define VELLMARK_GROUP_VALUES(FIELDS)                                                            \
  FIELDS(VELLMARK_VALUE_FIELD)                                                                   \
  VELLMARK_INLINE void load(const Group<L>& g){FIELDS(VELLMARK_VALUE_LOAD)} VELLMARK_INLINE void \
  save(Group<L>& g) const {                                                                      \
    FIELDS(VELLMARK_VALUE_SAVE)                                                                  \
  }

  // Spring A of one held group.
  struct HeldA {
    VELLMARK_GROUP_VALUES(VELLMARK_SPRING_A_FIELDS)

    VELLMARK_INLINE void step(const Steady& c, Handoff& h, int r) {
      const F negZero = L::negZero();
      // A quiet spring A has a quiet (here: zero) main displacement.
      M qa = L::none();
      if (L::any(L::eq(aMainPos, zero()))) qa = L::quiet3(aOutFir, aMainPos, aOffsetPos);
      lfoVel = lfoVel - lfoPos;
      lfoPos = lfoPos + lfoVel * c.lfoFreq;
      modeStep(aMainPos, aMainVel, c.damp, c.mainFreq);
      modeStep(aOffsetPos, aOffsetVel, c.damp, c.offsetFreq);
      const F w = aOffsetPos * c.offsetWeight;
      const F a = aMainPos * c.mainWeight;
      exciteLevel = decayedLevel(exciteLevel, c.bDamp);
      aOut = w + a;
      aOutPrev = aOutFir - aOutPrev;
      aOutFir = aOut + aOutPrev;
      h.w[r] = w;
      h.a[r] = a;
      h.offsetVel[r] = aOffsetVel;
      h.mainVel[r] = aMainVel;
      F a1 = aOut * c.panAR * c.gainA;
      F a0 = aOut * c.panAL * c.gainA;
      if (L::any(qa)) {
        a1 = L::select(qa, negZero, a1);
        a0 = L::select(qa, negZero, a0);
        aOut = L::zeroWhere(qa, aOut);
        aOffsetVel = L::zeroWhere(qa, aOffsetVel);
        aMainVel = L::zeroWhere(qa, aMainVel);
      }
      h.a1[r] = a1;
      h.a0[r] = a0;
    }
  };

  // Spring B of one held group.
  struct HeldB {
    VELLMARK_GROUP_VALUES(VELLMARK_SPRING_B_FIELDS)

    VELLMARK_INLINE void step(const Steady& c, const Handoff& h, int r, F& y1, F& y0) {
      const F negZero = L::negZero();
      M qb = L::none();
      if (L::any(L::eq(bPos1, zero()))) qb = L::quiet3(bOutFir, bPos0, bPos1);
      const F w = h.w[r];
      const F a = h.a[r];
      const F kc = c.coupling * (one() - L::max(w, zero()));
      const M apply = L::andNot(c.coupled, L::quietResult(kc));
      F dv0 = kc * h.offsetVel[r] * c.offsetWeight;
      F dv1 = kc * h.mainVel[r] * c.mainWeight;
      F dp1 = kc * a;
      F dp0 = kc * w;
      if (!L::every(apply)) {
        dv0 = L::select(apply, dv0, negZero);
        dv1 = L::select(apply, dv1, negZero);
        dp1 = L::select(apply, dp1, negZero);
        dp0 = L::select(apply, dp0, negZero);
      }
      bVel0 = bVel0 + dv0;
      bVel1 = bVel1 + dv1;
      bPos1 = bPos1 + dp1;
      bPos0 = bPos0 + dp0;
      modeStep(bPos1, bVel1, c.bDamp, c.b1Freq);
      modeStep(bPos0, bVel0, c.bDamp, c.b0Freq);
      bOut = bPos0 + bPos1;
      bOutPrev = bOutFir - bOutPrev;
      bOutFir = bOut + bOutPrev;
      y1 = bOut * c.panBR;
      y0 = bOut * c.panBL;
      if (L::any(qb)) {
        y1 = L::select(qb, negZero, y1);
        y0 = L::select(qb, negZero, y0);
        bOut = L::zeroWhere(qb, bOut);
        bVel0 = L::zeroWhere(qb, bVel0);
        bVel1 = L::zeroWhere(qb, bVel1);
      }
    }
  };

  // The per-group calls of the held loops, written out for each group (a
  // loop over the groups would keep their values in memory).
  template <class S, int... I>
  VELLMARK_INLINE static void loadAll(S* s, Group<L>* const* g, std::integer_sequence<int, I...>) {
    (s[I].load(*g[I]), ...);
  }
  template <class S, int... I>
  VELLMARK_INLINE static void saveAll(const S* s, Group<L>* const* g,
                                      std::integer_sequence<int, I...>) {
    (s[I].save(*g[I]), ...);
  }
  template <int... I>
  VELLMARK_INLINE static void stepA(HeldA* s, const Steady* const* c, Handoff* h, int r,
                                    std::integer_sequence<int, I...>) {
    (s[I].step(*c[I], h[I], r), ...);
  }
  template <int... I>
  VELLMARK_INLINE static void stepB(HeldB* s, const Steady* const* c, const Handoff* h, int r,
                                    F (*b1)[L::kWidth], F (*b0)[L::kWidth], int q,
                                    std::integer_sequence<int, I...>) {
    (s[I].step(*c[I], h[I], r, b1[I][q], b0[I][q]), ...);
  }

  // Spring A of N held groups side by side: their dependent chains are
  // independent, so stepping them in one loop overlaps their latencies.
  template <int N>
  static void heldSpringA(Group<L>* const* g, const Steady* const* c, Handoff* h, int n) {
    constexpr auto groups = std::make_integer_sequence<int, N>();
    HeldA s[N];
    loadAll(s, g, groups);
    for (int r = 0; r < n; ++r) stepA(s, c, h, r, groups);
    saveAll(s, g, groups);
    for (int i = 0; i < N; ++i) {
      g[i]->offsetWeight = c[i]->offsetWeight;
      g[i]->mainWeight = c[i]->mainWeight;
    }
  }

  // Spring B of the same samples, and the ordered bus sums of both: at
  // every sample a bus takes the groups' keys in ascending order.
  template <int N>
  static void heldSpringB(Group<L>* const* g, const Steady* const* c, Handoff* h, int n,
                          float* bus1, float* bus0) {
    constexpr auto groups = std::make_integer_sequence<int, N>();
    HeldB s[N];
    loadAll(s, g, groups);
    const F negZero = L::negZero();
    constexpr int W = L::kWidth;
    for (int first = 0; first < n; first += W) {
      const int rows = n - first < W ? n - first : W;
      F b1[N][W], b0[N][W];
      for (int q = 0; q < rows; ++q) stepB(s, c, h, first + q, b1, b0, q, groups);
      for (int i = 0; i < N; ++i) {
        for (int q = rows; q < W; ++q)
          h[i].a1[first + q] = h[i].a0[first + q] = b1[i][q] = b0[i][q] = negZero;
        addTilePair<L>(h[i].a1 + first, b1[i], bus1 + first);
        addTilePair<L>(h[i].a0 + first, b0[i], bus0 + first);
      }
    }
    saveAll(s, g, groups);
  }

  // N groups whose keys are all held, over the chunk; their sums reach
  // the buses in the groups' order.
  template <int N>
  static void heldGroups(Group<L>* const* g, const Steady* const* c, int count, ChunkBuses& buses) {
    Handoff handoff[N];
    for (int first = 0; first < count; first += Handoff::kSamples) {
      const int n = count - first < Handoff::kSamples ? count - first : Handoff::kSamples;
      heldSpringA<N>(g, c, handoff, n);
      heldSpringB<N>(g, c, handoff, n, buses.spring1 + first, buses.spring0 + first);
    }
  }

  // What the steady step changes, few enough for the compiler to keep in
  // registers while two groups step side by side.
  struct SteadyValues {
    VELLMARK_GROUP_VALUES(VELLMARK_STEADY_FIELDS)
  };
#undef VELLMARK_GROUP_VALUES
#undef VELLMARK_VALUE_SAVE
#undef VELLMARK_VALUE_LOAD
#undef VELLMARK_VALUE_FIELD
#undef VELLMARK_STEADY_FIELDS
#undef VELLMARK_SPRING_B_FIELDS
#undef VELLMARK_SPRING_A_FIELDS

  // One steady sample; false, with nothing changed, when a lane that is
  // not held has fallen silent (the general step handles it from there).
  // `g` is a whole group or its SteadyValues.
  template <class S>
  VELLMARK_INLINE static bool steadyStep(S& g, const Steady& c, SpringOut<L>& out) {
    const M qa = L::quiet3(g.aOutFir, g.aMainPos, g.aOffsetPos);
    const M qb = L::quiet3(g.bOutFir, g.bPos0, g.bPos1);
    if (L::any(L::andNot(qa & qb, c.held | c.resting))) return false;

    const F lfoPos = g.lfoPos, lfoVel = g.lfoVel, level = g.exciteLevel;
    const F offsetWeight = g.offsetWeight, mainWeight = g.mainWeight;
    g.lfoVel = g.lfoVel - g.lfoPos;
    g.lfoPos = g.lfoPos + g.lfoVel * c.lfoFreq;
    g.offsetWeight = c.offsetWeight;
    g.mainWeight = c.mainWeight;
    modeStep(g.aMainPos, g.aMainVel, c.damp, c.mainFreq);
    modeStep(g.aOffsetPos, g.aOffsetVel, c.damp, c.offsetFreq);
    const F w = g.aOffsetPos * c.offsetWeight;
    const F a = g.aMainPos * c.mainWeight;
    g.exciteLevel = decayedLevel(g.exciteLevel, c.bDamp);
    if (c.anyResting) {
      g.lfoPos = L::select(c.resting, lfoPos, g.lfoPos);
      g.lfoVel = L::select(c.resting, lfoVel, g.lfoVel);
      g.exciteLevel = L::select(c.resting, level, g.exciteLevel);
      g.offsetWeight = L::select(c.resting, offsetWeight, g.offsetWeight);
      g.mainWeight = L::select(c.resting, mainWeight, g.mainWeight);
    }

    const F kc = c.coupling * (one() - L::max(w, zero()));
    const M apply = L::andNot(c.coupled, L::quietResult(kc));
    const F negZero = L::negZero();
    F dv0 = kc * g.aOffsetVel * c.offsetWeight;
    F dv1 = kc * g.aMainVel * c.mainWeight;
    F dp1 = kc * a;
    F dp0 = kc * w;
    if (!L::every(apply)) {
      dv0 = L::select(apply, dv0, negZero);
      dv1 = L::select(apply, dv1, negZero);
      dp1 = L::select(apply, dp1, negZero);
      dp0 = L::select(apply, dp0, negZero);
    }
    g.bVel0 = g.bVel0 + dv0;
    g.bVel1 = g.bVel1 + dv1;
    g.bPos1 = g.bPos1 + dp1;
    g.bPos0 = g.bPos0 + dp0;
    modeStep(g.bPos1, g.bVel1, c.bDamp, c.b1Freq);
    modeStep(g.bPos0, g.bVel0, c.bDamp, c.b0Freq);

    g.aOut = w + a;
    g.aOutPrev = g.aOutFir - g.aOutPrev;
    g.aOutFir = g.aOut + g.aOutPrev;
    g.bOut = g.bPos0 + g.bPos1;
    g.bOutPrev = g.bOutFir - g.bOutPrev;
    g.bOutFir = g.bOut + g.bOutPrev;

    out.a1 = g.aOut * c.panAR * c.gainA;
    out.a0 = g.aOut * c.panAL * c.gainA;
    out.b1 = g.bOut * c.panBR;
    out.b0 = g.bOut * c.panBL;
    const M quiet = qa | qb;
    if (L::any(quiet)) {
      out.a1 = L::select(qa, negZero, out.a1);
      out.a0 = L::select(qa, negZero, out.a0);
      out.b1 = L::select(qb, negZero, out.b1);
      out.b0 = L::select(qb, negZero, out.b0);
      g.aOut = L::zeroWhere(qa, g.aOut);
      g.aOffsetVel = L::zeroWhere(qa, g.aOffsetVel);
      g.aMainVel = L::zeroWhere(qa, g.aMainVel);
      g.bOut = L::zeroWhere(qb, g.bOut);
      g.bVel0 = L::zeroWhere(qb, g.bVel0);
      g.bVel1 = L::zeroWhere(qb, g.bVel1);
    }
    return true;
  }

  VELLMARK_INLINE static F crushSpringB(const Group<L>& g, const KeyLanes& k, int base,
                                        const ChunkParams& cp) {
    const F levels = L::load(k.crushLevels + base);
    const F scale = L::set(cp.crushScale);
    const F u = (g.bOut * scale + one()) * levels;
    const F d = L::floor(u);
    const F f = u - d;
    const F amount = L::min(L::set(cp.crushAmount) * g.exciteLevel + L::set(0.5f), L::set(0.99f));
    const F two = L::set(2.0f);
    const F high = one() / (one() - amount) - two;
    const F low = one() / amount - two;
    const F shaped = saturate(f, high, low);
    return (L::set(0.5f) * shaped + d - levels) * L::load(k.crushStep + base) / scale;
  }

  // The sympathetic resonator of each lane; contributions -0 where quiet.
  VELLMARK_INLINE static void sympStep(F& pos, F& vel, F damp, F freq, F panR, F panL, F& c1,
                                       F& c0) {
    const F v = vel - pos;
    const M moving = L::ne(v, zero());
    const F damped = v * damp;
    const M stopped = L::quietResult(damped);
    const F step = damped * freq;
    const M died = L::andNot(L::eq(step, zero()), stopped);
    const F moved = pos + step;
    vel = L::select(moving, L::zeroWhere(stopped | died, damped), v);
    pos = L::select(L::andNot(moving, stopped), L::zeroWhere(died, moved), pos);
    const M quietPos = L::quiet(pos);
    pos = L::zeroWhere(quietPos, pos);
    const F negZero = L::negZero();
    c1 = L::select(quietPos, negZero, pos * panR);
    c0 = L::select(quietPos, negZero, pos * panL);
  }
};

// A group whose springs are silent stays exactly as it is for the whole
// chunk: not held, both two-tap outputs and displacements quiet, outputs
// and velocities already +0 and the tuning at its base.
template <class L>
inline bool springsAtRest(const KeyLanes& k, int base) {
  using F = typename L::F;
  using M = typename L::M;
  const KeyLaneState& s = k.state;
  const F zero = L::set(0.0f);
  M rest = L::invert(L::loadMask(k.held + base));
  rest = rest & L::quiet3(L::load(s.aOutFir + base), L::load(s.aMainPos + base),
                          L::load(s.aOffsetPos + base));
  rest =
      rest & L::quiet3(L::load(s.bOutFir + base), L::load(s.bPos0 + base), L::load(s.bPos1 + base));
  const float* const stopped[] = {s.aOut, s.aOffsetVel, s.aMainVel, s.bOut, s.bVel0, s.bVel1};
  for (const float* f : stopped) rest = rest & L::same(L::load(f + base), zero);
  rest = rest & L::eq(L::load(s.aMainFreq + base), L::load(k.aMainFreqBase + base));
  return L::every(rest);
}

// Whether the lanes' main-mode tuning can move within the chunk, so that
// the sympathetic phase needs its value at every sample.
template <class L>
inline bool tuningMoves(const KeyLanes& k, int base, const ChunkInputs& in) {
  using M = typename L::M;
  const KeyLaneState& s = k.state;
  const M held = L::loadMask(k.held + base);
  const M relaxing =
      L::andNot(L::ne(L::load(s.aMainFreq + base), L::load(k.aMainFreqBase + base)), held);
  if (L::any(relaxing)) return true;
  if (!L::any(held)) return false;
  if (!in.bendConstant) return true;
  // A held lane that starts after the chunk's first sample takes its bend
  // mid-chunk.
  const M lateStart =
      held & L::invert(L::geInt(L::setInt(in.firstIndex), L::loadInt(s.startOffset + base)));
  return L::any(lateStart);
}

// One group of keys in the spring phase: its state while it steps, and how
// it steps over the chunk.
template <class L>
struct GroupRun {
  enum Kind {
    kGeneral,  // the general step, or the steady step while it lasts
    kSteady,   // the steady step from the chunk's first sample, untraced
    kHeld,     // every key held, steady and untraced
  };
  Group<L> g;
  typename Kernel<L>::Steady steady;
  BendCache<L> bend;
  int base;
  bool isSteady;
  bool traced;
  Kind kind;
};

// The general step of one sample, out of line: the paired steady loop
// takes it only for the rest of the tile in which a group leaves the
// steady path.
template <class L>
VELLMARK_NOINLINE void stepGeneral(GroupRun<L>& run, const KeyLanes& k, const ChunkInputs& in,
                                   int j, const ChunkParams& cp, NoDraws& draws,
                                   SpringOut<L>& out) {
  Kernel<L>::step(run.g, k, run.base, in, j, cp, run.bend, draws, out);
}

// Steps one group from sample `from` (a tile boundary) to the chunk's end
// and adds its contributions to the buses.
template <class L>
void stepTiles(GroupRun<L>& run, const KeyLanes& k, const ChunkInputs& in, const ChunkParams& cp,
               NoDraws& draws, ChunkBuses& buses, FreqTrace& trace, int from) {
  using F = typename L::F;
  using K = Kernel<L>;
  constexpr int W = L::kWidth;
  const int count = in.count;
  const int base = run.base;
  // Locals, so that the group's values can live in registers.
  Group<L> g = run.g;
  BendCache<L> bend = run.bend;
  const typename K::Steady steady = run.steady;
  bool isSteady = run.isSteady;
  const bool traced = run.traced;
  F a1[W], a0[W], b1[W], b0[W];
  for (int first = from; first < count; first += W) {
    const int rows = count - first < W ? count - first : W;
    for (int r = 0; r < rows; ++r) {
      const int j = first + r;
      SpringOut<L> out;
      if (!isSteady || !K::steadyStep(g, steady, out)) {
        isSteady = false;
        K::step(g, k, base, in, j, cp, bend, draws, out);
      }
      if (traced) L::store(&trace.value[j][base], g.aMainFreq);
      a1[r] = out.a1;
      a0[r] = out.a0;
      b1[r] = out.b1;
      b0[r] = out.b0;
    }
    for (int r = rows; r < W; ++r) a1[r] = a0[r] = b1[r] = b0[r] = L::negZero();
    addTilePair<L>(a1, b1, buses.spring1 + first);
    addTilePair<L>(a0, b0, buses.spring0 + first);
  }
  run.g = g;
  run.bend = bend;
  run.isSteady = isSteady;
}

// Two consecutive untraced steady groups side by side, sample by sample,
// while both stay steady: their dependent chains overlap. At every sample
// the buses take the first group's keys before the second's. A group that
// leaves the steady path takes the general step for the rest of that
// tile; returns the first sample not stepped (a tile boundary, or past
// the chunk's end), from where each group goes on by itself.
template <class L>
int steadyPairTiles(GroupRun<L>& x, GroupRun<L>& y, const KeyLanes& k, const ChunkInputs& in,
                    const ChunkParams& cp, NoDraws& draws, ChunkBuses& buses) {
  using F = typename L::F;
  using K = Kernel<L>;
  constexpr int W = L::kWidth;
  const int count = in.count;
  typename K::SteadyValues g0, g1;
  g0.load(x.g);
  g1.load(y.g);
  const typename K::Steady c0 = x.steady, c1 = y.steady;
  bool steady0 = true, steady1 = true;
  int first = 0;
  for (; first < count && steady0 && steady1; first += W) {
    const int rows = count - first < W ? count - first : W;
    F a1[2][W], a0[2][W], b1[2][W], b0[2][W];
    for (int r = 0; r < rows; ++r) {
      SpringOut<L> o0, o1;
      if (!(steady0 && K::steadyStep(g0, c0, o0))) {
        steady0 = false;
        g0.save(x.g);
        stepGeneral<L>(x, k, in, first + r, cp, draws, o0);
        g0.load(x.g);
      }
      if (!(steady1 && K::steadyStep(g1, c1, o1))) {
        steady1 = false;
        g1.save(y.g);
        stepGeneral<L>(y, k, in, first + r, cp, draws, o1);
        g1.load(y.g);
      }
      a1[0][r] = o0.a1;
      a0[0][r] = o0.a0;
      b1[0][r] = o0.b1;
      b0[0][r] = o0.b0;
      a1[1][r] = o1.a1;
      a0[1][r] = o1.a0;
      b1[1][r] = o1.b1;
      b0[1][r] = o1.b0;
    }
    for (int i = 0; i < 2; ++i) {
      for (int r = rows; r < W; ++r) a1[i][r] = a0[i][r] = b1[i][r] = b0[i][r] = L::negZero();
      addTilePair<L>(a1[i], b1[i], buses.spring1 + first);
      addTilePair<L>(a0[i], b0[i], buses.spring0 + first);
    }
  }
  g0.save(x.g);
  g1.save(y.g);
  x.isSteady = steady0;
  y.isSteady = steady1;
  return first;
}

// Steps a group over the chunk by itself.
template <class L>
void stepGroup(GroupRun<L>& run, const KeyLanes& k, const ChunkInputs& in, const ChunkParams& cp,
               NoDraws& draws, ChunkBuses& buses, FreqTrace& trace) {
  if (run.kind == GroupRun<L>::kHeld) {
    // Every key held: no key can fall silent; spring A and spring B run
    // one after the other over short stretches.
    Group<L>* g[] = {&run.g};
    const typename Kernel<L>::Steady* c[] = {&run.steady};
    Kernel<L>::template heldGroups<1>(g, c, in.count, buses);
  } else {
    stepTiles(run, k, in, cp, draws, buses, trace, 0);
  }
}

// Steps two consecutive groups of the same kind (steady or held) over the
// chunk side by side.
template <class L>
void stepPair(GroupRun<L>& x, GroupRun<L>& y, const KeyLanes& k, const ChunkInputs& in,
              const ChunkParams& cp, NoDraws& draws, ChunkBuses& buses, FreqTrace& trace) {
  if (x.kind == GroupRun<L>::kHeld) {
    Group<L>* g[] = {&x.g, &y.g};
    const typename Kernel<L>::Steady* c[] = {&x.steady, &y.steady};
    Kernel<L>::template heldGroups<2>(g, c, in.count, buses);
  } else {
    const int from = steadyPairTiles(x, y, k, in, cp, draws, buses);
    // The first group's rest before the second's: each sample of the
    // buses still takes the groups in key order.
    stepTiles(x, k, in, cp, draws, buses, trace, from);
    stepTiles(y, k, in, cp, draws, buses, trace, from);
  }
}

template <class L>
bool springPhase(KeyLanes& k, const ChunkInputs& in, const ChunkParams& cp, ChunkBuses& buses,
                 FreqTrace& trace) {
  using K = Kernel<L>;
  using Run = GroupRun<L>;
  constexpr int W = L::kWidth;
  // A steady or held group waits for the next sounding group: if that is
  // of the same kind, the two step side by side. The keys of groups at
  // rest add nothing, so the groups on either side of them are neighbours
  // on the buses.
  Run runs[2];
  Run* waiting = nullptr;
  // A key that would draw fails the whole chunk: the caller restores the
  // lanes' state and renders the chunk sample by sample.
  NoDraws draws;
  for (int base = 0; base < kRenderedKeys; base += W) {
    trace.used[base] = false;
    if (springsAtRest<L>(k, base)) continue;
    Run& run = waiting == &runs[0] ? runs[1] : runs[0];
    run.base = base;
    run.traced = tuningMoves<L>(k, base, in);
    trace.used[base] = run.traced;
    run.g.load(k.state, base);
    run.bend = BendCache<L>();
    run.steady = typename K::Steady{};  // read only when steady, but copied whole
    run.isSteady = K::steadyChunk(run.g, k, base, in, cp, run.steady);
    run.kind = !run.isSteady || run.traced ? Run::kGeneral
               : L::every(run.steady.held) ? Run::kHeld
                                           : Run::kSteady;
    if (waiting && waiting->kind == run.kind) {
      stepPair(*waiting, run, k, in, cp, draws, buses, trace);
      if (draws.wanted) return false;
      waiting->g.store(k.state, waiting->base);
      run.g.store(k.state, run.base);
      waiting = nullptr;
      continue;
    }
    if (waiting) {
      stepGroup(*waiting, k, in, cp, draws, buses, trace);
      if (draws.wanted) return false;
      waiting->g.store(k.state, waiting->base);
      waiting = nullptr;
    }
    if (run.kind != Run::kGeneral) {
      waiting = &run;
      continue;
    }
    stepGroup(run, k, in, cp, draws, buses, trace);
    if (draws.wanted) return false;
    run.g.store(k.state, run.base);
  }
  if (waiting) {
    stepGroup(*waiting, k, in, cp, draws, buses, trace);
    if (draws.wanted) return false;
    waiting->g.store(k.state, waiting->base);
  }
  return true;
}

// One group's sympathetic resonators while it steps through a chunk.
template <class L>
struct SympGroup {
  using F = typename L::F;
  using M = typename L::M;
  F pos, vel, damp, panR, panL, steadyFreq;
  M driven;
  int base = 0;
  bool drives = false, allDriven = false, traced = false;

  void load(const KeyLanes& k, int at, const FreqTrace& trace, bool anyDrive) {
    const KeyLaneState& s = k.state;
    base = at;
    pos = L::load(s.sympPos + base);
    vel = L::load(s.sympVel + base);
    driven = L::loadMask(k.bodyDrive + base);
    drives = anyDrive && L::any(driven);
    allDriven = L::every(driven);
    damp = L::load(k.sympDamp + base);
    panR = L::load(k.panSympR + base);
    panL = L::load(k.panSympL + base);
    traced = trace.used[base];
    steadyFreq = L::load(s.aMainFreq + base);
  }
  void store(KeyLanes& k) const {
    L::store(k.state.sympPos + base, pos);
    L::store(k.state.sympVel + base, vel);
  }

  // Sample j of the chunk; the contributions go to c1 and c0.
  VELLMARK_INLINE void step(const FreqTrace& trace, const ChunkParams& cp, int j, F& c1, F& c0) {
    const F zero = L::set(0.0f);
    const F freq = traced ? L::load(&trace.value[j][base]) : steadyFreq;
    // The usual case: the resonator moves, nothing turns quiet and the step
    // does not flush to zero (the resonator would die out where it stands).
    const F v = vel - pos;
    const F damped = v * damp;
    const F step = damped * freq;
    const F moved = pos + step;
    const M special = L::eq(v, zero) | L::eq(damped, zero) | L::eq(step, zero) | L::eq(moved, zero);
    if (!L::any(special)) {
      vel = damped;
      pos = moved;
      c1 = moved * panR;
      c0 = moved * panL;
    } else {
      Kernel<L>::sympStep(pos, vel, damp, freq, panR, panL, c1, c0);
    }
    // The body drives the keys in its range after their step.
    if (drives && cp.drives[j]) {
      const F d = L::set(cp.drive[j]);
      vel = vel + (allDriven ? d : L::select(driven, d, L::negZero()));
    }
  }
};

// The sympathetic resonators of N (1 to 3) groups, stepped side by side:
// each group's step waits on its previous one, so one group alone leaves
// the core idle most of the time. Each bus still receives the groups in
// key order at every sample. The groups are separate variables, not an
// array, so that the compiler keeps their values in registers.
template <class L, int N>
void sympGroups(KeyLanes& k, const int* bases, const ChunkInputs& in, const ChunkParams& cp,
                const FreqTrace& trace, bool anyDrive, ChunkBuses& buses) {
  using F = typename L::F;
  constexpr int W = L::kWidth;
  const int count = in.count;
  SympGroup<L> g0, g1, g2;
  g0.load(k, bases[0], trace, anyDrive);
  if constexpr (N > 1) g1.load(k, bases[1], trace, anyDrive);
  if constexpr (N > 2) g2.load(k, bases[2], trace, anyDrive);
  F c1[N][W], c0[N][W];
  for (int first = 0; first < count; first += W) {
    const int rows = count - first < W ? count - first : W;
    for (int r = 0; r < rows; ++r) {
      const int j = first + r;
      g0.step(trace, cp, j, c1[0][r], c0[0][r]);
      if constexpr (N > 1) g1.step(trace, cp, j, c1[1][r], c0[1][r]);
      if constexpr (N > 2) g2.step(trace, cp, j, c1[2][r], c0[2][r]);
    }
    for (int q = 0; q < N; ++q) {
      for (int r = rows; r < W; ++r) c1[q][r] = c0[q][r] = L::negZero();
      addTile<L>(c1[q], buses.sym1 + first);
      addTile<L>(c0[q], buses.sym0 + first);
    }
  }
  g0.store(k);
  if constexpr (N > 1) g1.store(k);
  if constexpr (N > 2) g2.store(k);
}

template <class L>
void sympPhase(KeyLanes& k, const ChunkInputs& in, const ChunkParams& cp, const FreqTrace& trace,
               ChunkBuses& buses) {
  using F = typename L::F;
  constexpr int W = L::kWidth;
  bool anyDrive = false;
  for (int j = 0; j < in.count; ++j) anyDrive = anyDrive || cp.drives[j] != 0;
  const KeyLaneState& s = k.state;
  const F zero = L::set(0.0f);
  // The groups that move: at rest and not driven, stepping changes nothing
  // and adds nothing.
  int active[kRenderedKeys / W + 1];
  int groups = 0;
  for (int base = 0; base < kRenderedKeys; base += W) {
    const bool drives = anyDrive && L::any(L::loadMask(k.bodyDrive + base));
    if (drives || !L::every(L::same(L::load(s.sympPos + base), zero) &
                            L::same(L::load(s.sympVel + base), zero)))
      active[groups++] = base;
  }
  // Three at a time keep the core busy without running out of registers.
  int g = 0;
  for (; groups - g >= 3; g += 3) sympGroups<L, 3>(k, active + g, in, cp, trace, anyDrive, buses);
  if (groups - g == 2) sympGroups<L, 2>(k, active + g, in, cp, trace, anyDrive, buses);
  if (groups - g == 1) sympGroups<L, 1>(k, active + g, in, cp, trace, anyDrive, buses);
}

// Adds one group's values to a scalar bus in lane order.
template <class L>
inline float addLanes(float bus, typename L::F first, typename L::F second) {
  alignas(64) float x[L::kWidth];
  alignas(64) float y[L::kWidth];
  L::store(x, first);
  L::store(y, second);
  for (int lane = 0; lane < L::kWidth; ++lane) bus = (bus + x[lane]) + y[lane];
  return bus;
}

template <class L>
inline float addLanes(float bus, typename L::F values) {
  alignas(64) float x[L::kWidth];
  L::store(x, values);
  for (int lane = 0; lane < L::kWidth; ++lane) bus = bus + x[lane];
  return bus;
}

template <class L>
void stepSample(KeyLanes& k, const ChunkInputs& in, int j, const ChunkParams& cp,
                const SampleHooks& hooks, BusSums& buses) {
  using F = typename L::F;
  constexpr int W = L::kWidth;
  KeyLaneState& s = k.state;
  HookDraws draws{&hooks};
  for (int base = 0; base < kRenderedKeys; base += W) {
    Group<L> g;
    g.load(s, base);
    BendCache<L> bend;
    SpringOut<L> out;
    if (!Kernel<L>::step(g, k, base, in, j, cp, bend, draws, out)) {
      hooks.referenceGroup(hooks.context, base, W, j, buses);
      continue;
    }
    g.store(s, base);
    buses.spring1 = addLanes<L>(buses.spring1, out.a1, out.b1);
    buses.spring0 = addLanes<L>(buses.spring0, out.a0, out.b0);
    F pos = L::load(s.sympPos + base);
    F vel = L::load(s.sympVel + base);
    F c1, c0;
    Kernel<L>::sympStep(pos, vel, L::load(k.sympDamp + base), g.aMainFreq,
                        L::load(k.panSympR + base), L::load(k.panSympL + base), c1, c0);
    L::store(s.sympPos + base, pos);
    L::store(s.sympVel + base, vel);
    buses.sym1 = addLanes<L>(buses.sym1, c1);
    buses.sym0 = addLanes<L>(buses.sym0, c0);
  }
}

}  // namespace fast_kernel
}  // namespace engine
