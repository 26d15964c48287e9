// The shaping stages of a chunk in lanes: output crush, the body's wet mix,
// the quiet test and the drive, the same operations in the same order as
// OutputCrush::process(), Engine::shapeSample() and Drive::process().
// Included by the per-instruction-set kernel files after a lane type.
#pragma once

#include "engine/fast_render_types.h"

namespace engine {
namespace fast_kernel {

template <class L>
typename L::F shapeOne(const ShapeChunk& c, typename L::F spring, typename L::F sym) {
  using F = typename L::F;
  const F one = L::set(1.0f);
  if (c.crush) {
    const F levels = L::set(c.crushLevels);
    const F f = (spring + one) * levels;
    const F floored = L::floor(f);
    const F t = f - floored;
    spring =
        (t / ((one - t) * L::set(c.crushShape) + one) + floored - levels) * L::set(c.crushStep);
  }
  F o = spring + sym;
  if (c.bodyWet != 0.0f) o = o + (sym - o) * L::set(c.bodyWet);
  o = L::zeroWhere(L::quiet(o), o);
  const F gain = L::set(c.driveGain);
  if (!(c.driveGain > 1.0f)) return o * gain;
  const F x = L::min(L::max(gain * o, L::set(-1.0f)), one);
  const F k = L::set(1.0f / (c.driveGain * 0.5f) - 2.0f);
  const F zero = L::set(0.0f);
  const F dUp = (one - x) * k + one;
  const F up = L::select(L::gt(dUp, zero), x / dUp, one);
  const F dDown = (one + x) * k + one;
  const F down = L::select(L::gt(dDown, zero), L::neg(L::neg(x) / dDown), L::set(-1.0f));
  // NaN takes the lower branch, as in the scalar code; a zero stays +0.
  return L::zeroWhere(L::eq(x, zero), L::select(L::ge(x, zero), up, down));
}

template <class L>
void shapeChunk(const ShapeChunk& c) {
  constexpr int W = L::kWidth;
  int32_t j = 0;
  for (; j + W <= c.count; j += W) {
    L::store(c.out0 + j, shapeOne<L>(c, L::load(c.spring0 + j), L::load(c.sym0 + j)));
    L::store(c.out1 + j, shapeOne<L>(c, L::load(c.spring1 + j), L::load(c.sym1 + j)));
  }
  if (j == c.count) return;
  // The tail through full lanes of copies.
  float s0[W] = {}, s1[W] = {}, y0[W] = {}, y1[W] = {}, o0[W], o1[W];
  const int32_t rest = c.count - j;
  for (int32_t i = 0; i < rest; ++i) {
    s0[i] = c.spring0[j + i];
    s1[i] = c.spring1[j + i];
    y0[i] = c.sym0[j + i];
    y1[i] = c.sym1[j + i];
  }
  L::store(o0, shapeOne<L>(c, L::load(s0), L::load(y0)));
  L::store(o1, shapeOne<L>(c, L::load(s1), L::load(y1)));
  for (int32_t i = 0; i < rest; ++i) {
    c.out0[j + i] = o0[i];
    c.out1[j + i] = o1[i];
  }
}

}  // namespace fast_kernel
}  // namespace engine
