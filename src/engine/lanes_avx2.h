// Eight float lanes on AVX2. Included only by *_avx2.cpp files, which the
// build compiles with -mavx2 and which run only after a CPU check.
//
// Every operation is the exact IEEE counterpart of the scalar code it
// replaces: min/max keep the operand order of std::min/std::max (which
// decides NaN and signed-zero results), comparisons keep the C++ meaning
// for NaN, and no fused multiply-add is ever formed.
#pragma once

#include <immintrin.h>

#include <cstdint>

#include "engine/crt_jumps.h"

namespace engine {
namespace lanes_avx2 {

struct F {
  __m256 v;
};
struct M {  // all-ones or all-zero per lane
  __m256 v;
};
struct I {
  __m256i v;
};

inline F operator+(F a, F b) { return {_mm256_add_ps(a.v, b.v)}; }
inline F operator-(F a, F b) { return {_mm256_sub_ps(a.v, b.v)}; }
inline F operator*(F a, F b) { return {_mm256_mul_ps(a.v, b.v)}; }
inline F operator/(F a, F b) { return {_mm256_div_ps(a.v, b.v)}; }
inline M operator&(M a, M b) { return {_mm256_and_ps(a.v, b.v)}; }
inline M operator|(M a, M b) { return {_mm256_or_ps(a.v, b.v)}; }

struct Isa {
  static constexpr int kWidth = 8;
  using F = lanes_avx2::F;
  using M = lanes_avx2::M;
  using I = lanes_avx2::I;

  static F load(const float* p) { return {_mm256_loadu_ps(p)}; }
  static void store(float* p, F a) { _mm256_storeu_ps(p, a.v); }
  static M loadMask(const uint32_t* p) {
    return {_mm256_castsi256_ps(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)))};
  }
  static I loadInt(const int32_t* p) {
    return {_mm256_loadu_si256(reinterpret_cast<const __m256i*>(p))};
  }
  static void storeInt(int32_t* p, I a) { _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), a.v); }
  static F set(float x) { return {_mm256_set1_ps(x)}; }
  static I setInt(int32_t x) { return {_mm256_set1_epi32(x)}; }
  static F negZero() { return set(-0.0f); }

  // std::min(a, b) is (b < a) ? b : a; MINPS returns its second operand
  // unless the first is smaller.
  static F min(F a, F b) { return {_mm256_min_ps(b.v, a.v)}; }
  static F max(F a, F b) { return {_mm256_max_ps(b.v, a.v)}; }
  static F sqrt(F a) { return {_mm256_sqrt_ps(a.v)}; }
  static F floor(F a) { return {_mm256_floor_ps(a.v)}; }
  static F abs(F a) {
    return {_mm256_and_ps(a.v, _mm256_castsi256_ps(_mm256_set1_epi32(0x7fffffff)))};
  }
  static F neg(F a) { return {_mm256_xor_ps(a.v, _mm256_set1_ps(-0.0f))}; }

  static M lt(F a, F b) { return {_mm256_cmp_ps(a.v, b.v, _CMP_LT_OQ)}; }
  static M le(F a, F b) { return {_mm256_cmp_ps(a.v, b.v, _CMP_LE_OQ)}; }
  static M gt(F a, F b) { return {_mm256_cmp_ps(a.v, b.v, _CMP_GT_OQ)}; }
  static M ge(F a, F b) { return {_mm256_cmp_ps(a.v, b.v, _CMP_GE_OQ)}; }
  static M eq(F a, F b) { return {_mm256_cmp_ps(a.v, b.v, _CMP_EQ_OQ)}; }
  static M ne(F a, F b) { return {_mm256_cmp_ps(a.v, b.v, _CMP_NEQ_UQ)}; }
  // Bitwise equality, so that -0/+0 and NaN payloads count as different.
  static M same(F a, F b) {
    return {_mm256_castsi256_ps(
        _mm256_cmpeq_epi32(_mm256_castps_si256(a.v), _mm256_castps_si256(b.v)))};
  }

  // The engine's quiet test: exponent and three highest fraction bits zero.
  static M quiet(F a) {
    const __m256i bits = _mm256_and_si256(_mm256_castps_si256(a.v), _mm256_set1_epi32(0x7ff00000));
    return {_mm256_castsi256_ps(_mm256_cmpeq_epi32(bits, _mm256_setzero_si256()))};
  }
  // The quiet test for a value an arithmetic instruction has just produced
  // while flush-to-zero is on (the render loop always sets it): such a
  // value is 0 or at least 2^-126 in magnitude, so it is quiet exactly when
  // it is zero. Not for values loaded from elsewhere.
  static M quietResult(F a) { return {_mm256_cmp_ps(a.v, _mm256_setzero_ps(), _CMP_EQ_OQ)}; }
  // Quiet test of three values at once: all three quiet.
  static M quiet3(F a, F b, F c) {
    const __m256i any =
        _mm256_or_si256(_mm256_or_si256(_mm256_castps_si256(a.v), _mm256_castps_si256(b.v)),
                        _mm256_castps_si256(c.v));
    const __m256i bits = _mm256_and_si256(any, _mm256_set1_epi32(0x7ff00000));
    return {_mm256_castsi256_ps(_mm256_cmpeq_epi32(bits, _mm256_setzero_si256()))};
  }

  // Subnormal (exponent field zero, fraction not): decided on the bits, so
  // that a denormals-are-zero mode of the caller does not matter.
  static M subnormal(F a) {
    const __m256i bits = _mm256_castps_si256(a.v);
    const __m256i zero = _mm256_setzero_si256();
    const __m256i exponent = _mm256_and_si256(bits, _mm256_set1_epi32(0x7f800000));
    const __m256i fraction = _mm256_and_si256(bits, _mm256_set1_epi32(0x007fffff));
    return {_mm256_castsi256_ps(_mm256_andnot_si256(_mm256_cmpeq_epi32(fraction, zero),
                                                    _mm256_cmpeq_epi32(exponent, zero)))};
  }

  static M none() { return {_mm256_setzero_ps()}; }
  static M all() { return {_mm256_castsi256_ps(_mm256_set1_epi32(-1))}; }
  static M andNot(M a, M b) { return {_mm256_andnot_ps(b.v, a.v)}; }  // a & ~b
  static M invert(M a) { return andNot(all(), a); }
  static bool any(M a) { return _mm256_movemask_ps(a.v) != 0; }
  static bool every(M a) { return _mm256_movemask_ps(a.v) == 0xff; }
  static int bits(M a) { return _mm256_movemask_ps(a.v); }
  static M fromBits(int laneBits) {
    const __m256i lane = _mm256_setr_epi32(1, 2, 4, 8, 16, 32, 64, 128);
    const __m256i b = _mm256_and_si256(_mm256_set1_epi32(laneBits), lane);
    return {_mm256_castsi256_ps(_mm256_cmpeq_epi32(b, lane))};
  }

  // m ? a : b, lane by lane.
  static F select(M m, F a, F b) { return {_mm256_blendv_ps(b.v, a.v, m.v)}; }
  // m ? +0 : a
  static F zeroWhere(M m, F a) { return {_mm256_andnot_ps(m.v, a.v)}; }
  static I selectInt(M m, I a, I b) {
    return {_mm256_blendv_epi8(b.v, a.v, _mm256_castps_si256(m.v))};
  }
  // a >= b for integer lanes.
  static M geInt(I a, I b) {
    const __m256i lt = _mm256_cmpgt_epi32(b.v, a.v);
    return {_mm256_castsi256_ps(_mm256_xor_si256(lt, _mm256_set1_epi32(-1)))};
  }

  // The generator's next draws, rand() values 0..32767 as floats, handed
  // to the lanes set in laneBits in lane order; advances the state past
  // them. All draws at once from the jump table.
  static F drawInts(uint32_t& state, int laneBits) {
    const CrtJumps& j = kCrtJumps;
    const __m256i s = _mm256_set1_epi32(static_cast<int32_t>(state));
    const __m256i mul = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(j.mul + 1));
    const __m256i add = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(j.add + 1));
    const __m256i next = _mm256_add_epi32(_mm256_mullo_epi32(s, mul), add);
    const __m256i value = _mm256_and_si256(_mm256_srli_epi32(next, 16), _mm256_set1_epi32(0x7fff));
    const __m256i rank =
        _mm256_loadu_si256(reinterpret_cast<const __m256i*>(j.rank[laneBits & 0xff]));
    int n = 0;
    for (int b = laneBits & 0xff; b != 0; b &= b - 1) ++n;
    state = j.mul[n] * state + j.add[n];
    return {_mm256_cvtepi32_ps(_mm256_permutevar8x32_epi32(value, rank))};
  }

  // Draws first + 1 .. first + 8 after `state` (first + 8 <= 64), in
  // order, as floats 0..32767; the state itself is left alone.
  static F drawIntsAt(uint32_t state, int first) {
    const CrtJumps& j = kCrtJumps;
    const __m256i s = _mm256_set1_epi32(static_cast<int32_t>(state));
    const __m256i mul = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(j.mul + first + 1));
    const __m256i add = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(j.add + first + 1));
    const __m256i next = _mm256_add_epi32(_mm256_mullo_epi32(s, mul), add);
    const __m256i value = _mm256_and_si256(_mm256_srli_epi32(next, 16), _mm256_set1_epi32(0x7fff));
    return {_mm256_cvtepi32_ps(value)};
  }

  // The columns of an 8 x 8 tile held as eight rows: column c has lane c
  // of every row. Kept in registers.
  static void columns(const F* rows, __m256* c) {
    const __m256 t0 = _mm256_unpacklo_ps(rows[0].v, rows[1].v);
    const __m256 t1 = _mm256_unpackhi_ps(rows[0].v, rows[1].v);
    const __m256 t2 = _mm256_unpacklo_ps(rows[2].v, rows[3].v);
    const __m256 t3 = _mm256_unpackhi_ps(rows[2].v, rows[3].v);
    const __m256 t4 = _mm256_unpacklo_ps(rows[4].v, rows[5].v);
    const __m256 t5 = _mm256_unpackhi_ps(rows[4].v, rows[5].v);
    const __m256 t6 = _mm256_unpacklo_ps(rows[6].v, rows[7].v);
    const __m256 t7 = _mm256_unpackhi_ps(rows[6].v, rows[7].v);
    const __m256 s0 = _mm256_shuffle_ps(t0, t2, _MM_SHUFFLE(1, 0, 1, 0));
    const __m256 s1 = _mm256_shuffle_ps(t0, t2, _MM_SHUFFLE(3, 2, 3, 2));
    const __m256 s2 = _mm256_shuffle_ps(t1, t3, _MM_SHUFFLE(1, 0, 1, 0));
    const __m256 s3 = _mm256_shuffle_ps(t1, t3, _MM_SHUFFLE(3, 2, 3, 2));
    const __m256 s4 = _mm256_shuffle_ps(t4, t6, _MM_SHUFFLE(1, 0, 1, 0));
    const __m256 s5 = _mm256_shuffle_ps(t4, t6, _MM_SHUFFLE(3, 2, 3, 2));
    const __m256 s6 = _mm256_shuffle_ps(t5, t7, _MM_SHUFFLE(1, 0, 1, 0));
    const __m256 s7 = _mm256_shuffle_ps(t5, t7, _MM_SHUFFLE(3, 2, 3, 2));
    c[0] = _mm256_permute2f128_ps(s0, s4, 0x20);
    c[1] = _mm256_permute2f128_ps(s1, s5, 0x20);
    c[2] = _mm256_permute2f128_ps(s2, s6, 0x20);
    c[3] = _mm256_permute2f128_ps(s3, s7, 0x20);
    c[4] = _mm256_permute2f128_ps(s0, s4, 0x31);
    c[5] = _mm256_permute2f128_ps(s1, s5, 0x31);
    c[6] = _mm256_permute2f128_ps(s2, s6, 0x31);
    c[7] = _mm256_permute2f128_ps(s3, s7, 0x31);
  }

  // sum + column 0 + column 1 + ... of the tile, in that order.
  static F addColumns(F sum, const F* rows) {
    __m256 c[8];
    columns(rows, c);
    __m256 x = sum.v;
// Unrolled, so that the columns stay in registers.
#pragma GCC unroll 8
    for (int i = 0; i < 8; ++i) x = _mm256_add_ps(x, c[i]);
    return {x};
  }

  // sum + a0 + b0 + a1 + b1 + ... for the columns of two tiles.
  static F addColumnPairs(F sum, const F* a, const F* b) {
    __m256 ca[8], cb[8];
    columns(a, ca);
    columns(b, cb);
    __m256 x = sum.v;
#pragma GCC unroll 8
    for (int i = 0; i < 8; ++i) x = _mm256_add_ps(_mm256_add_ps(x, ca[i]), cb[i]);
    return {x};
  }

  // Transposes eight rows of eight lanes in place: rows[i] lane j becomes
  // rows[j] lane i.
  static void transpose(F* rows) {
    const __m256 t0 = _mm256_unpacklo_ps(rows[0].v, rows[1].v);
    const __m256 t1 = _mm256_unpackhi_ps(rows[0].v, rows[1].v);
    const __m256 t2 = _mm256_unpacklo_ps(rows[2].v, rows[3].v);
    const __m256 t3 = _mm256_unpackhi_ps(rows[2].v, rows[3].v);
    const __m256 t4 = _mm256_unpacklo_ps(rows[4].v, rows[5].v);
    const __m256 t5 = _mm256_unpackhi_ps(rows[4].v, rows[5].v);
    const __m256 t6 = _mm256_unpacklo_ps(rows[6].v, rows[7].v);
    const __m256 t7 = _mm256_unpackhi_ps(rows[6].v, rows[7].v);
    const __m256 s0 = _mm256_shuffle_ps(t0, t2, _MM_SHUFFLE(1, 0, 1, 0));
    const __m256 s1 = _mm256_shuffle_ps(t0, t2, _MM_SHUFFLE(3, 2, 3, 2));
    const __m256 s2 = _mm256_shuffle_ps(t1, t3, _MM_SHUFFLE(1, 0, 1, 0));
    const __m256 s3 = _mm256_shuffle_ps(t1, t3, _MM_SHUFFLE(3, 2, 3, 2));
    const __m256 s4 = _mm256_shuffle_ps(t4, t6, _MM_SHUFFLE(1, 0, 1, 0));
    const __m256 s5 = _mm256_shuffle_ps(t4, t6, _MM_SHUFFLE(3, 2, 3, 2));
    const __m256 s6 = _mm256_shuffle_ps(t5, t7, _MM_SHUFFLE(1, 0, 1, 0));
    const __m256 s7 = _mm256_shuffle_ps(t5, t7, _MM_SHUFFLE(3, 2, 3, 2));
    rows[0].v = _mm256_permute2f128_ps(s0, s4, 0x20);
    rows[1].v = _mm256_permute2f128_ps(s1, s5, 0x20);
    rows[2].v = _mm256_permute2f128_ps(s2, s6, 0x20);
    rows[3].v = _mm256_permute2f128_ps(s3, s7, 0x20);
    rows[4].v = _mm256_permute2f128_ps(s0, s4, 0x31);
    rows[5].v = _mm256_permute2f128_ps(s1, s5, 0x31);
    rows[6].v = _mm256_permute2f128_ps(s2, s6, 0x31);
    rows[7].v = _mm256_permute2f128_ps(s3, s7, 0x31);
  }
};

}  // namespace lanes_avx2
}  // namespace engine
