#include "editor/panel_shading.h"

#include <algorithm>
#include <cmath>

#include "editor/fast_pow.h"
#include "editor/panel_shading_avx2.h"
#include "editor/row_split.h"
#include "platform/cpu_features.h"

namespace editor {

namespace {

// Scalar forms of the vector min and max (same result for equal operands
// and signed zeros).
inline float maxOf(float a, float b) { return a > b ? a : b; }
inline float minOf(float a, float b) { return a < b ? a : b; }

// Recesses (J below this) darken and take a warm tint.
constexpr float kRecessDepth = 0.15f;

inline float keyboardChannel(float c, float factor) {
  return static_cast<float>(static_cast<int32_t>(maxOf(c, 0.0f)) & 255) * factor;
}

inline float recessChannel(float c, float tint, float glow, float a, float k) {
  const float t = minOf(c, 255.0f);
  return (1.0f - t / 255.0f) * tint * glow * a + k * t;
}

inline uint8_t toByte(float c) {
  return static_cast<uint8_t>(static_cast<int32_t>(maxOf(minOf(c, 255.0f), 0.0f)));
}

}  // namespace

ShadingSetup::ShadingSetup(const ReliefMaps& maps, const PixelBuffer& out, uint8_t r, uint8_t g,
                           uint8_t b) {
  width = std::min(maps.width(), out.valid() ? out.width : 0);
  height = std::min(maps.height(), out.valid() ? out.height : 0);
  const float w = static_cast<float>(maps.width());
  const float h = static_cast<float>(maps.height());
  mapWidth = w;
  halfWidth = w * 0.5f;
  halfHeight = h * 0.5f;
  widthSquared = w * w;
  red = static_cast<float>(r) / 255.0f;
  green = static_cast<float>(g) / 255.0f;
  blue = static_cast<float>(b) / 255.0f;
  const float brightness = (red + green + blue) * 0.1666f + minOf(minOf(red, green), blue) * 0.5f;
  specularBase = (0.7f * brightness + 0.3f) * 15.0f;
  specularScale = 1.0f - 0.75f * brightness;
}

void shadePixel(const ShadingSetup& s, const ReliefMaps& maps, int x, int y, uint8_t* bgra) {
  const float J = maps.j(x, y);
  const float I = maps.i(x, y);
  const float Q = maps.q(x, y);
  const float fx = static_cast<float>(x);
  const float fy = static_cast<float>(y);
  const float dx = fx - s.halfWidth;
  const float dy = fy - s.halfHeight;
  float P = 1.0f - (dx * dx + dy * dy) / s.widthSquared;
  float m = 0.0f;
  float rim = 0.0f;
  // The last column and row have no neighbour to take a slope from.
  if (x + 1 < maps.width() && y + 1 < maps.height()) {
    const float vz = 2800.0f - 100.0f * J;
    const float vLength = std::sqrt(dx * dx + dy * dy + vz * vz);
    const float vx = dx / vLength, vy = dy / vLength, vzn = vz / vLength;
    const float lx0 = fx + 300.0f, ly0 = fy + 200.0f, lz0 = 700.0f - 100.0f * J;
    const float lLength = std::sqrt(lx0 * lx0 + ly0 * ly0 + lz0 * lz0);
    const float lx = lx0 / lLength, ly = ly0 / lLength, lz = lz0 / lLength;
    const float nx0 = maps.j(x + 1, y) - J, ny0 = maps.j(x, y + 1) - J, nz0 = 0.0325f;
    const float nLength = std::sqrt(nx0 * nx0 + ny0 * ny0 + nz0 * nz0);
    const float nx = nx0 / nLength, ny = ny0 / nLength, nz = nz0 / nLength;
    const float diffuse = nx * lx + ny * ly + nz * lz;
    P = P * (0.3f * I + 0.7f) * (maxOf(diffuse, 0.0f) * 0.75f + 0.25f);
    rim = maxOf(nx * -0.2761724f + ny * -0.2761724f + nz * 0.9205746f, 0.0f) * 0.125f;
    // Reflecting about n leaves v as it is when n.v is 0.
    const float nv2 = 2.0f * (nx * vx + ny * vy + nz * vzn);
    const float rx = vx - nv2 * nx, ry = vy - nv2 * ny, rz = vzn - nv2 * nz;
    const float specular = maxOf(minOf(-(rx * lx + ry * ly + rz * lz), 1.0f), 0.0f);
    m = fastPow(specular, s.specularBase * (I + J)) * (1.0f - 0.25f * P) * s.specularScale * J;
  }
  const float q = 0.4f * Q;
  const float B = q * (1.0f - s.blue) + P * s.blue;
  const float G = q * (1.0f - s.green) + P * s.green;
  const float R = q * (1.0f - s.red) + P * s.red;
  const float highlight = 255.0f * m;
  float blue = (1.0f - 0.5f * I) * B * 255.0f + highlight;
  float green = ((1.0f - G) * 0.15f * I + G) * 255.0f + highlight;
  float red = ((1.0f - R) * 0.45f * I + R) * 255.0f + highlight;
  if (x > 40 && x < 995 && y > 360) {
    const float factor = (Q + 1.0f) * 0.5f + 2.0f * m;
    blue = keyboardChannel(blue, factor);
    green = keyboardChannel(green, factor);
    red = keyboardChannel(red, factor);
  }
  blue = blue + 40.0f * rim;
  green = green + 70.0f * rim;
  red = red + 100.0f * rim;
  if (J < kRecessDepth) {
    const float a = 1.0f - J * 6.6666665f;
    const float k = (J * 6.6666665f + 1.0f) * 0.5f;
    const float glow = 0.75f * I + 1.0f;
    blue = recessChannel(blue, 5.0f, glow, a, k);
    green = recessChannel(green, 100.0f, glow, a, k);
    red = recessChannel(red, 165.0f, glow, a, k);
  }
  bgra[0] = toByte(blue);
  bgra[1] = toByte(green);
  bgra[2] = toByte(red);
  bgra[3] = 255;
}

void shadeRowsReference(const ShadingSetup& setup, const ReliefMaps& maps, const PixelBuffer& out,
                        int rowBegin, int rowEnd) {
  for (int y = rowBegin; y < rowEnd; ++y) {
    uint8_t* row = out.row(y);
    for (int x = 0; x < setup.width; ++x) shadePixel(setup, maps, x, y, row + 4 * x);
  }
}

void shadePanelReference(const ReliefMaps& maps, const PixelBuffer& out, uint8_t r, uint8_t g,
                         uint8_t b) {
  const ShadingSetup setup(maps, out, r, g, b);
  shadeRowsReference(setup, maps, out, 0, setup.height);
}

void shadePanelFast(const ReliefMaps& maps, const PixelBuffer& out, uint8_t r, uint8_t g,
                    uint8_t b) {
  const ShadingSetup setup(maps, out, r, g, b);
  const bool avx2 = platform::cpuSupportsAvx2();
  const ShadingTarget target{maps.heightMap(), maps.glowMap(), maps.keyMap(),  maps.width(),
                             maps.height(),    out.pixels,     out.bytesPerRow};
  splitRows(setup.height, [&](int rowBegin, int rowEnd) {
    if (avx2) {
      shadeRowsAvx2(setup, maps, target, rowBegin, rowEnd);
    } else {
      shadeRowsReference(setup, maps, out, rowBegin, rowEnd);
    }
  });
}

}  // namespace editor
