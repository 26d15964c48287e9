// Eight pixels of a row at a time; each line mirrors an operation of
// shadePixel and fastPow, so the bytes are identical. The last column and
// row, and pixels left over at a row's end, go through shadePixel itself.
#include "editor/panel_shading_avx2.h"

#include <cstddef>

#include "editor/fast_pow.h"
#include "editor/simd_avx2.h"

namespace editor {

namespace {

using namespace avx2;

inline __m256i seti(int v) { return _mm256_set1_epi32(v); }

__m256 fastLog(__m256 x) {
  const __m256i bits = _mm256_castps_si256(x);
  __m256 e = _mm256_cvtepi32_ps(_mm256_sub_epi32(_mm256_srli_epi32(bits, 23), seti(126)));
  __m256 m = _mm256_castsi256_ps(
      _mm256_or_si256(_mm256_and_si256(bits, seti(0x007FFFFF)), seti(0x3F000000)));
  const __m256 small = _mm256_cmp_ps(m, set(kLnSqrtHalf), _CMP_LT_OQ);
  e = sub(e, _mm256_and_ps(small, set(1.0f)));
  m = sub(add(m, _mm256_and_ps(small, m)), set(1.0f));
  const __m256 z = mul(m, m);
  __m256 y = set(kLnC0);
  y = add(mul(y, m), set(kLnC1));
  y = add(mul(y, m), set(kLnC2));
  y = add(mul(y, m), set(kLnC3));
  y = add(mul(y, m), set(kLnC4));
  y = add(mul(y, m), set(kLnC5));
  y = add(mul(y, m), set(kLnC6));
  y = add(mul(y, m), set(kLnC7));
  y = add(mul(y, m), set(kLnC8));
  y = mul(y, m);
  y = mul(y, z);
  y = add(y, mul(e, set(kLn2Lo)));
  y = sub(y, mul(set(0.5f), z));
  m = add(m, y);
  return add(m, mul(e, set(kLn2Hi)));
}

__m256 fastExp(__m256 x) {
  const __m256 fx = _mm256_floor_ps(add(mul(x, set(kLog2e)), set(0.5f)));
  x = sub(x, mul(fx, set(kLn2Hi)));
  x = sub(x, mul(fx, set(kLn2Lo)));
  const __m256 z = mul(x, x);
  __m256 y = set(kExpC0);
  y = add(mul(y, x), set(kExpC1));
  y = add(mul(y, x), set(kExpC2));
  y = add(mul(y, x), set(kExpC3));
  y = add(mul(y, x), set(kExpC4));
  y = add(mul(y, x), set(kExpC5));
  y = mul(y, z);
  y = add(y, x);
  y = add(y, set(1.0f));
  const __m256i scale = _mm256_slli_epi32(_mm256_add_epi32(_mm256_cvttps_epi32(fx), seti(127)), 23);
  return mul(y, _mm256_castsi256_ps(scale));
}

__m256 fastPow(__m256 s, __m256 p) {
  const __m256 tiny = set(1.1754944e-38f);
  const __m256 usable = _mm256_cmp_ps(s, tiny, _CMP_GE_OQ);
  const __m256 x = mul(p, fastLog(max(s, tiny)));
  const __m256 inRange = _mm256_cmp_ps(x, set(kExpFloor), _CMP_GE_OQ);
  const __m256 result = fastExp(max(x, set(kExpFloor)));
  return _mm256_and_ps(result, _mm256_and_ps(usable, inRange));
}

inline __m256 keyboardChannel(__m256 c, __m256 factor) {
  const __m256i wrapped =
      _mm256_and_si256(_mm256_cvttps_epi32(max(c, _mm256_setzero_ps())), seti(255));
  return mul(_mm256_cvtepi32_ps(wrapped), factor);
}

inline __m256 recessChannel(__m256 c, float tint, __m256 glow, __m256 a, __m256 k) {
  const __m256 t = min(c, set(255.0f));
  return add(mul(mul(mul(sub(set(1.0f), div(t, set(255.0f))), set(tint)), glow), a), mul(k, t));
}

inline __m256i toBytes(__m256 c) {
  return _mm256_cvttps_epi32(max(min(c, set(255.0f)), _mm256_setzero_ps()));
}

}  // namespace

void shadeRowsAvx2(const ShadingSetup& s, const ReliefMaps& maps, const ShadingTarget& t,
                   int rowBegin, int rowEnd) {
  const int mapWidth = t.mapWidth;
  const __m256i laneOffsets = _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7);
  for (int y = rowBegin; y < rowEnd; ++y) {
    uint8_t* row = t.pixels + static_cast<std::ptrdiff_t>(y) * t.bytesPerRow;
    int x = 0;
    if (y + 1 < t.mapHeight) {
      const float* jRow = t.j + static_cast<std::ptrdiff_t>(y) * mapWidth;
      const float* jBelow = jRow + mapWidth;
      const float* iRow = t.i + static_cast<std::ptrdiff_t>(y) * mapWidth;
      const float* qRow = t.q + static_cast<std::ptrdiff_t>(y) * mapWidth;
      const __m256 fy = set(static_cast<float>(y));
      const __m256 dy = sub(fy, set(s.halfHeight));
      const bool keyboardRow = y > 360;
      // Every lane needs its right neighbour, so the last column stays out.
      for (; x + 8 < mapWidth && x + 8 <= s.width; x += 8) {
        const __m256 J = _mm256_loadu_ps(jRow + x);
        const __m256 I = _mm256_loadu_ps(iRow + x);
        const __m256 Q = _mm256_loadu_ps(qRow + x);
        const __m256i xi = _mm256_add_epi32(seti(x), laneOffsets);
        const __m256 fx = _mm256_cvtepi32_ps(xi);
        const __m256 dx = sub(fx, set(s.halfWidth));
        __m256 P = sub(set(1.0f), div(add(mul(dx, dx), mul(dy, dy)), set(s.widthSquared)));

        const __m256 vz = sub(set(2800.0f), mul(set(100.0f), J));
        const __m256 vLength = _mm256_sqrt_ps(add(add(mul(dx, dx), mul(dy, dy)), mul(vz, vz)));
        const __m256 vx = div(dx, vLength), vy = div(dy, vLength), vzn = div(vz, vLength);
        const __m256 lx0 = add(fx, set(300.0f)), ly0 = add(fy, set(200.0f));
        const __m256 lz0 = sub(set(700.0f), mul(set(100.0f), J));
        const __m256 lLength =
            _mm256_sqrt_ps(add(add(mul(lx0, lx0), mul(ly0, ly0)), mul(lz0, lz0)));
        const __m256 lx = div(lx0, lLength), ly = div(ly0, lLength), lz = div(lz0, lLength);
        const __m256 nx0 = sub(_mm256_loadu_ps(jRow + x + 1), J);
        const __m256 ny0 = sub(_mm256_loadu_ps(jBelow + x), J);
        const __m256 nz0 = set(0.0325f);
        const __m256 nLength =
            _mm256_sqrt_ps(add(add(mul(nx0, nx0), mul(ny0, ny0)), mul(nz0, nz0)));
        const __m256 nx = div(nx0, nLength), ny = div(ny0, nLength), nz = div(nz0, nLength);
        const __m256 diffuse = add(add(mul(nx, lx), mul(ny, ly)), mul(nz, lz));
        P = mul(mul(P, add(mul(set(0.3f), I), set(0.7f))),
                add(mul(max(diffuse, _mm256_setzero_ps()), set(0.75f)), set(0.25f)));
        const __m256 rimDot = add(add(mul(nx, set(-0.2761724f)), mul(ny, set(-0.2761724f))),
                                  mul(nz, set(0.9205746f)));
        const __m256 rim = mul(max(rimDot, _mm256_setzero_ps()), set(0.125f));
        const __m256 nv2 = mul(set(2.0f), add(add(mul(nx, vx), mul(ny, vy)), mul(nz, vzn)));
        const __m256 rx = sub(vx, mul(nv2, nx)), ry = sub(vy, mul(nv2, ny)),
                     rz = sub(vzn, mul(nv2, nz));
        const __m256 rl = add(add(mul(rx, lx), mul(ry, ly)), mul(rz, lz));
        const __m256 specular =
            max(min(_mm256_xor_ps(rl, set(-0.0f)), set(1.0f)), _mm256_setzero_ps());
        const __m256 m = mul(mul(mul(fastPow(specular, mul(set(s.specularBase), add(I, J))),
                                     sub(set(1.0f), mul(set(0.25f), P))),
                                 set(s.specularScale)),
                             J);

        const __m256 q = mul(set(0.4f), Q);
        const __m256 B = add(mul(q, set(1.0f - s.blue)), mul(P, set(s.blue)));
        const __m256 G = add(mul(q, set(1.0f - s.green)), mul(P, set(s.green)));
        const __m256 R = add(mul(q, set(1.0f - s.red)), mul(P, set(s.red)));
        const __m256 highlight = mul(set(255.0f), m);
        __m256 blue = add(mul(mul(sub(set(1.0f), mul(set(0.5f), I)), B), set(255.0f)), highlight);
        __m256 green =
            add(mul(add(mul(mul(sub(set(1.0f), G), set(0.15f)), I), G), set(255.0f)), highlight);
        __m256 red =
            add(mul(add(mul(mul(sub(set(1.0f), R), set(0.45f)), I), R), set(255.0f)), highlight);
        if (keyboardRow) {
          const __m256i inKeys =
              _mm256_and_si256(_mm256_cmpgt_epi32(xi, seti(40)), _mm256_cmpgt_epi32(seti(995), xi));
          const __m256 keys = _mm256_castsi256_ps(inKeys);
          const __m256 factor = add(mul(add(Q, set(1.0f)), set(0.5f)), mul(set(2.0f), m));
          blue = _mm256_blendv_ps(blue, keyboardChannel(blue, factor), keys);
          green = _mm256_blendv_ps(green, keyboardChannel(green, factor), keys);
          red = _mm256_blendv_ps(red, keyboardChannel(red, factor), keys);
        }
        blue = add(blue, mul(set(40.0f), rim));
        green = add(green, mul(set(70.0f), rim));
        red = add(red, mul(set(100.0f), rim));
        const __m256 recess = _mm256_cmp_ps(J, set(0.15f), _CMP_LT_OQ);
        if (_mm256_movemask_ps(recess) != 0) {
          const __m256 a = sub(set(1.0f), mul(J, set(6.6666665f)));
          const __m256 k = mul(add(mul(J, set(6.6666665f)), set(1.0f)), set(0.5f));
          const __m256 glow = add(mul(set(0.75f), I), set(1.0f));
          blue = _mm256_blendv_ps(blue, recessChannel(blue, 5.0f, glow, a, k), recess);
          green = _mm256_blendv_ps(green, recessChannel(green, 100.0f, glow, a, k), recess);
          red = _mm256_blendv_ps(red, recessChannel(red, 165.0f, glow, a, k), recess);
        }
        const __m256i pixel =
            _mm256_or_si256(_mm256_or_si256(toBytes(blue), _mm256_slli_epi32(toBytes(green), 8)),
                            _mm256_or_si256(_mm256_slli_epi32(toBytes(red), 16),
                                            seti(static_cast<int>(0xFF000000u))));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(row + 4 * x), pixel);
      }
    }
    for (; x < s.width; ++x) shadePixel(s, maps, x, y, row + 4 * x);
  }
}

}  // namespace editor
