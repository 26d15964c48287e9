// Eight pixels of a row at a time; each line mirrors an operation of
// fractalNoise and baseTextureHeight, so the results are bit-identical.
#include "editor/panel_noise_avx2.h"

#include <cstddef>

#include "editor/panel_noise.h"
#include "editor/simd_avx2.h"

namespace editor {

namespace {

using namespace avx2;

inline __m256 hash(__m256 key) {
  const __m256 t =
      mul(avx2::fastSin(_mm256_sqrt_ps(max(key, _mm256_setzero_ps()))), set(14371.545f));
  return sub(t, avx2::trunc(t));
}

__m256 noise(__m256 x, __m256 y, const NoiseOctave* octaves) {
  __m256 sum = _mm256_setzero_ps();
  for (int o = 0; o < kNoiseOctaves; ++o) {
    const __m256 X = mul(set(0.01f), x);
    const __m256 Y = mul(set(0.01f), y);
    const __m256 ix = avx2::trunc(X);
    const __m256 iy = avx2::trunc(Y);
    const __m256 fx = sub(X, ix);
    const __m256 fy = sub(Y, iy);
    const __m256 a = set(octaves[o].a);
    const __m256 b = set(octaves[o].b);
    const __m256 ax0 = mul(a, ix);
    const __m256 ax1 = mul(a, add(ix, set(1.0f)));
    const __m256 by0 = mul(b, iy);
    const __m256 by1 = mul(b, add(iy, set(1.0f)));
    const __m256 h00 = hash(add(ax0, by0));
    const __m256 h10 = hash(add(ax1, by0));
    const __m256 h01 = hash(add(ax0, by1));
    const __m256 h11 = hash(add(ax1, by1));
    const __m256 v0 = add(h00, mul(sub(h10, h00), fx));
    const __m256 v1 = add(h01, mul(sub(h11, h01), fx));
    const __m256 e = add(v0, mul(sub(v1, v0), fy));
    const __m256 scaled = mul(_mm256_xor_ps(e, set(-0.0f)), set(octaves[o].weight));
    const __m256 g = max(scaled, set(-1.0f));
    x = mul(x, set(2.433f));
    y = mul(y, set(2.433f));
    sum = add(sum, avx2::abs(g));
    const __m256 angle = mul(set(kPiF), sum);
    x = add(x, mul(mul(avx2::fastCos(angle), set(53.0f)), sum));
    y = add(y, mul(mul(avx2::fastSin(angle), set(53.0f)), sum));
  }
  const __m256 half = mul(sum, set(0.5f));
  const __m256 c = min(half, set(1.0f));
  const __m256 c2 = add(c, c);
  const __m256 low = div(mul(set(0.5f), c2), add(mul(set(2.0f), sub(set(1.0f), c2)), set(1.0f)));
  const __m256 u = sub(c2, set(1.0f));
  const __m256 high = mul(
      set(0.5f), add(div(u, sub(set(1.0f), mul(set(2.0f / 3.0f), sub(set(1.0f), u)))), set(1.0f)));
  return _mm256_blendv_ps(high, low, _mm256_cmp_ps(c, set(0.5f), _CMP_LT_OQ));
}

}  // namespace

void fillBaseTextureAvx2(float* heightMap, int width, int rowBegin, int rowEnd) {
  const NoiseOctave* octaves = noiseOctaves();
  const __m256i laneOffsets = _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7);
  for (int y = rowBegin; y < rowEnd; ++y) {
    float* row = heightMap + static_cast<std::ptrdiff_t>(y) * width;
    const __m256 rowBase = add(set(static_cast<float>(y)), set(100.0f));
    int x = 0;
    for (; x + 8 <= width; x += 8) {
      const __m256i xi = _mm256_add_epi32(_mm256_set1_epi32(x), laneOffsets);
      const __m256 fx = add(_mm256_cvtepi32_ps(xi), set(100.0f));
      const __m256 fy = add(rowBase, mul(set(60.0f), avx2::fastSin(mul(set(0.01f), fx))));
      const __m256 n = noise(fx, fy, octaves);
      _mm256_storeu_ps(row + x, add(mul(n, set(0.325f)), set(0.2f)));
    }
    for (; x < width; ++x) row[x] = baseTextureHeight(x, y);
  }
}

}  // namespace editor
