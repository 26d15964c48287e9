// Four float lanes on SSE2, the x86-64 baseline: the fallback for
// processors without AVX2. Same interface and the same exactness rules as
// lanes_avx2.h; the operations SSE2 lacks (blend, floor) are built from
// exact ones.
#pragma once

#include <emmintrin.h>

#include <cstdint>

#include "engine/crt_jumps.h"

namespace engine {
namespace lanes_sse2 {

struct F {
  __m128 v;
};
struct M {  // all-ones or all-zero per lane
  __m128 v;
};
struct I {
  __m128i v;
};

inline F operator+(F a, F b) { return {_mm_add_ps(a.v, b.v)}; }
inline F operator-(F a, F b) { return {_mm_sub_ps(a.v, b.v)}; }
inline F operator*(F a, F b) { return {_mm_mul_ps(a.v, b.v)}; }
inline F operator/(F a, F b) { return {_mm_div_ps(a.v, b.v)}; }
inline M operator&(M a, M b) { return {_mm_and_ps(a.v, b.v)}; }
inline M operator|(M a, M b) { return {_mm_or_ps(a.v, b.v)}; }

struct Isa {
  static constexpr int kWidth = 4;
  using F = lanes_sse2::F;
  using M = lanes_sse2::M;
  using I = lanes_sse2::I;

  static F load(const float* p) { return {_mm_loadu_ps(p)}; }
  static void store(float* p, F a) { _mm_storeu_ps(p, a.v); }
  static M loadMask(const uint32_t* p) {
    return {_mm_castsi128_ps(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)))};
  }
  static I loadInt(const int32_t* p) {
    return {_mm_loadu_si128(reinterpret_cast<const __m128i*>(p))};
  }
  static void storeInt(int32_t* p, I a) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), a.v); }
  static F set(float x) { return {_mm_set1_ps(x)}; }
  static I setInt(int32_t x) { return {_mm_set1_epi32(x)}; }
  static F negZero() { return set(-0.0f); }

  static F min(F a, F b) { return {_mm_min_ps(b.v, a.v)}; }
  static F max(F a, F b) { return {_mm_max_ps(b.v, a.v)}; }
  static F sqrt(F a) { return {_mm_sqrt_ps(a.v)}; }
  static F abs(F a) { return {_mm_and_ps(a.v, _mm_castsi128_ps(_mm_set1_epi32(0x7fffffff)))}; }
  static F neg(F a) { return {_mm_xor_ps(a.v, _mm_set1_ps(-0.0f))}; }

  // floor without SSE4.1: truncate, step down where truncation went up.
  // Integral magnitudes (2^23 and more), NaN and both zeros pass unchanged,
  // which keeps floor(-0) = -0.
  static F floor(F a) {
    const __m128 t = _mm_cvtepi32_ps(_mm_cvttps_epi32(a.v));
    const __m128 down = _mm_and_ps(_mm_cmpgt_ps(t, a.v), _mm_set1_ps(1.0f));
    const __m128 r = _mm_sub_ps(t, down);
    const __m128 small = _mm_cmplt_ps(abs(a).v, _mm_set1_ps(8388608.0f));
    const __m128 nonzero = _mm_cmpneq_ps(a.v, _mm_setzero_ps());
    return select({_mm_and_ps(small, nonzero)}, {r}, a);
  }

  static M lt(F a, F b) { return {_mm_cmplt_ps(a.v, b.v)}; }
  static M le(F a, F b) { return {_mm_cmple_ps(a.v, b.v)}; }
  static M gt(F a, F b) { return {_mm_cmpgt_ps(a.v, b.v)}; }
  static M ge(F a, F b) { return {_mm_cmpge_ps(a.v, b.v)}; }
  static M eq(F a, F b) { return {_mm_cmpeq_ps(a.v, b.v)}; }
  static M ne(F a, F b) { return {_mm_cmpneq_ps(a.v, b.v)}; }
  static M same(F a, F b) {
    return {_mm_castsi128_ps(_mm_cmpeq_epi32(_mm_castps_si128(a.v), _mm_castps_si128(b.v)))};
  }

  static M quiet(F a) {
    const __m128i bits = _mm_and_si128(_mm_castps_si128(a.v), _mm_set1_epi32(0x7ff00000));
    return {_mm_castsi128_ps(_mm_cmpeq_epi32(bits, _mm_setzero_si128()))};
  }
  // The quiet test for a value an arithmetic instruction has just produced
  // while flush-to-zero is on (the render loop always sets it): such a
  // value is 0 or at least 2^-126 in magnitude, so it is quiet exactly when
  // it is zero. Not for values loaded from elsewhere.
  static M quietResult(F a) { return {_mm_cmpeq_ps(a.v, _mm_setzero_ps())}; }
  static M quiet3(F a, F b, F c) {
    const __m128i any = _mm_or_si128(_mm_or_si128(_mm_castps_si128(a.v), _mm_castps_si128(b.v)),
                                     _mm_castps_si128(c.v));
    const __m128i bits = _mm_and_si128(any, _mm_set1_epi32(0x7ff00000));
    return {_mm_castsi128_ps(_mm_cmpeq_epi32(bits, _mm_setzero_si128()))};
  }

  // Subnormal (exponent field zero, fraction not): decided on the bits, so
  // that a denormals-are-zero mode of the caller does not matter.
  static M subnormal(F a) {
    const __m128i bits = _mm_castps_si128(a.v);
    const __m128i zero = _mm_setzero_si128();
    const __m128i exponent = _mm_and_si128(bits, _mm_set1_epi32(0x7f800000));
    const __m128i fraction = _mm_and_si128(bits, _mm_set1_epi32(0x007fffff));
    return {_mm_castsi128_ps(
        _mm_andnot_si128(_mm_cmpeq_epi32(fraction, zero), _mm_cmpeq_epi32(exponent, zero)))};
  }

  static M none() { return {_mm_setzero_ps()}; }
  static M all() { return {_mm_castsi128_ps(_mm_set1_epi32(-1))}; }
  static M andNot(M a, M b) { return {_mm_andnot_ps(b.v, a.v)}; }  // a & ~b
  static M invert(M a) { return andNot(all(), a); }
  static bool any(M a) { return _mm_movemask_ps(a.v) != 0; }
  static bool every(M a) { return _mm_movemask_ps(a.v) == 0xf; }
  static int bits(M a) { return _mm_movemask_ps(a.v); }
  static M fromBits(int laneBits) {
    const __m128i lane = _mm_setr_epi32(1, 2, 4, 8);
    const __m128i b = _mm_and_si128(_mm_set1_epi32(laneBits), lane);
    return {_mm_castsi128_ps(_mm_cmpeq_epi32(b, lane))};
  }

  static F select(M m, F a, F b) {
    return {_mm_or_ps(_mm_and_ps(m.v, a.v), _mm_andnot_ps(m.v, b.v))};
  }
  // m ? +0 : a
  static F zeroWhere(M m, F a) { return {_mm_andnot_ps(m.v, a.v)}; }
  static I selectInt(M m, I a, I b) {
    const __m128i mi = _mm_castps_si128(m.v);
    return {_mm_or_si128(_mm_and_si128(mi, a.v), _mm_andnot_si128(mi, b.v))};
  }
  static M geInt(I a, I b) {
    const __m128i lt = _mm_cmpgt_epi32(b.v, a.v);
    return {_mm_castsi128_ps(_mm_xor_si128(lt, _mm_set1_epi32(-1)))};
  }

  // The generator's next draws, rand() values 0..32767 as floats, handed
  // to the lanes set in laneBits in lane order; advances the state past
  // them.
  static F drawInts(uint32_t& state, int laneBits) {
    alignas(16) float r[4] = {};
    for (int lane = 0; lane < 4; ++lane) {
      if (!((laneBits >> lane) & 1)) continue;
      state = state * 214013u + 2531011u;
      r[lane] = static_cast<float>(static_cast<int32_t>((state >> 16) & 0x7fffu));
    }
    return load(r);
  }

  // Draws first + 1 .. first + 4 after `state` (first + 4 <= 64), in
  // order, as floats 0..32767; the state itself is left alone.
  static F drawIntsAt(uint32_t state, int first) {
    alignas(16) float r[4];
    for (int i = 0; i < 4; ++i) {
      const uint32_t s = kCrtJumps.mul[first + 1 + i] * state + kCrtJumps.add[first + 1 + i];
      r[i] = static_cast<float>(static_cast<int32_t>((s >> 16) & 0x7fffu));
    }
    return load(r);
  }

  static void columns(const F* rows, __m128* c) {
    __m128 r0 = rows[0].v, r1 = rows[1].v, r2 = rows[2].v, r3 = rows[3].v;
    _MM_TRANSPOSE4_PS(r0, r1, r2, r3);
    c[0] = r0;
    c[1] = r1;
    c[2] = r2;
    c[3] = r3;
  }

  static F addColumns(F sum, const F* rows) {
    __m128 c[4];
    columns(rows, c);
    __m128 x = sum.v;
// Unrolled, so that the columns stay in registers.
#pragma GCC unroll 8
    for (int i = 0; i < 4; ++i) x = _mm_add_ps(x, c[i]);
    return {x};
  }

  static F addColumnPairs(F sum, const F* a, const F* b) {
    __m128 ca[4], cb[4];
    columns(a, ca);
    columns(b, cb);
    __m128 x = sum.v;
#pragma GCC unroll 8
    for (int i = 0; i < 4; ++i) x = _mm_add_ps(_mm_add_ps(x, ca[i]), cb[i]);
    return {x};
  }

  static void transpose(F* rows) {
    __m128 r0 = rows[0].v, r1 = rows[1].v, r2 = rows[2].v, r3 = rows[3].v;
    _MM_TRANSPOSE4_PS(r0, r1, r2, r3);
    rows[0].v = r0;
    rows[1].v = r1;
    rows[2].v = r2;
    rows[3].v = r3;
  }
};

}  // namespace lanes_sse2
}  // namespace engine
