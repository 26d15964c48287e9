// Compiled with -mavx2; called only after the CPU check in fast_keys.cpp.
#if defined(__x86_64__) || defined(_M_X64)

#include <immintrin.h>

#include "engine/tremolo_sines.h"

namespace engine {

// Each step mirrors tremoloSineInline(): the quotient by pi rounded half
// away from zero (truncation, then one step where the fraction reaches a
// half), the remainder, the odd polynomial, and the sign of odd multiples.
// No operation is fused; every one is the IEEE double operation the scalar
// code performs.
void tremoloSinesAvx2(const float* x, int32_t count, double* sine) {
  const __m256d pi = _mm256_set1_pd(3.141592653589793);
  const __m256d half = _mm256_set1_pd(0.5);
  const __m256d minusHalf = _mm256_set1_pd(-0.5);
  const __m256d one = _mm256_set1_pd(1.0);
  const __m256d sign = _mm256_set1_pd(-0.0);
  const __m256d largest = _mm256_set1_pd(1.7976931348623157e308);
  const __m256d c1 = _mm256_set1_pd(0.0073524681968701175);
  const __m256d c2 = _mm256_set1_pd(0.1652891139701474);
  const __m256d c3 = _mm256_set1_pd(0.9996919862959676);
  int32_t i = 0;
  for (; i + 4 <= count; i += 4) {
    const __m256d v = _mm256_cvtps_pd(_mm_loadu_ps(x + i));
    const __m256d q = _mm256_div_pd(v, pi);
    // Truncation equals the scalar integer round trip below 2^52 and leaves
    // larger values (and infinities) as they are, as the scalar code does.
    __m256d t = _mm256_round_pd(q, _MM_FROUND_TO_ZERO | _MM_FROUND_NO_EXC);
    const __m256d f = _mm256_sub_pd(q, t);
    t = _mm256_blendv_pd(t, _mm256_add_pd(t, one), _mm256_cmp_pd(f, half, _CMP_GE_OQ));
    t = _mm256_blendv_pd(t, _mm256_sub_pd(t, one), _mm256_cmp_pd(f, minusHalf, _CMP_LE_OQ));
    const __m256d n = _mm256_or_pd(_mm256_andnot_pd(sign, t), _mm256_and_pd(sign, q));
    const __m256d r = _mm256_sub_pd(v, _mm256_mul_pd(n, pi));
    const __m256d r2 = _mm256_mul_pd(r, r);
    const __m256d s = _mm256_mul_pd(
        r, _mm256_add_pd(_mm256_mul_pd(r2, _mm256_sub_pd(_mm256_mul_pd(r2, c1), c2)), c3));
    // Odd n: half of it has a fraction; NaN and infinities count as odd.
    const __m256d a = _mm256_andnot_pd(sign, n);
    const __m256d h = _mm256_mul_pd(a, half);
    const __m256d fractional =
        _mm256_cmp_pd(h, _mm256_round_pd(h, _MM_FROUND_TO_ZERO | _MM_FROUND_NO_EXC), _CMP_NEQ_OQ);
    const __m256d odd = _mm256_or_pd(fractional, _mm256_cmp_pd(a, largest, _CMP_NLE_UQ));
    _mm256_storeu_pd(sine + i, _mm256_xor_pd(s, _mm256_and_pd(odd, sign)));
  }
  tremoloSinesScalar(x + i, count - i, sine + i);
}

}  // namespace engine

#endif
