// Small AVX2 helpers shared by the vectorised panel passes. Include only
// from *_avx2.cpp files: everything here is compiled for AVX2.
#pragma once

#include <immintrin.h>

#include "editor/fast_sine.h"

namespace editor {
namespace avx2 {

inline __m256 set(float v) { return _mm256_set1_ps(v); }
inline __m256 add(__m256 a, __m256 b) { return _mm256_add_ps(a, b); }
inline __m256 sub(__m256 a, __m256 b) { return _mm256_sub_ps(a, b); }
inline __m256 mul(__m256 a, __m256 b) { return _mm256_mul_ps(a, b); }
inline __m256 div(__m256 a, __m256 b) { return _mm256_div_ps(a, b); }
// Same results as `a > b ? a : b` and `a < b ? a : b` in the scalar code.
inline __m256 max(__m256 a, __m256 b) { return _mm256_max_ps(a, b); }
inline __m256 min(__m256 a, __m256 b) { return _mm256_min_ps(a, b); }
inline __m256 trunc(__m256 a) { return _mm256_round_ps(a, _MM_FROUND_TO_ZERO | _MM_FROUND_NO_EXC); }
inline __m256 abs(__m256 a) { return _mm256_andnot_ps(_mm256_set1_ps(-0.0f), a); }

// fastSin(float), operation for operation.
inline __m256 fastSin(__m256 x) {
  const __m256 k = _mm256_round_ps(mul(x, set(kInvPiF)), _MM_FROUND_CUR_DIRECTION);
  const __m256 r = sub(x, mul(k, set(kPiF)));
  const __m256 r2 = mul(r, r);
  const __m256 s = mul(r, add(set(kSineC1F), mul(r2, add(set(kSineC3F), mul(r2, set(kSineC5F))))));
  const __m256i odd = _mm256_slli_epi32(_mm256_cvtps_epi32(k), 31);
  return _mm256_xor_ps(s, _mm256_castsi256_ps(odd));
}

inline __m256 fastCos(__m256 x) { return fastSin(add(x, set(0.5f * kPiF))); }

}  // namespace avx2
}  // namespace editor
