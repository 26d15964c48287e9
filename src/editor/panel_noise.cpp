#include "editor/panel_noise.h"

#include <algorithm>
#include <cmath>

#include "editor/fast_sine.h"
#include "editor/panel_noise_avx2.h"
#include "editor/row_split.h"
#include "platform/cpu_features.h"

namespace editor {

namespace {

struct OctaveTable {
  NoiseOctave octaves[kNoiseOctaves];
  OctaveTable() {
    float f = 1.0f;
    for (NoiseOctave& o : octaves) {
      o.a = f + 1.9893f;
      o.b = f + 0.2337f;
      o.weight = static_cast<float>(std::pow(static_cast<double>(f), -0.653));
      f = f * 2.433f;
    }
  }
};

}  // namespace

const NoiseOctave* noiseOctaves() {
  static const OctaveTable table;
  return table.octaves;
}

float noiseHash(float key) {
  // Keys stay positive for every pixel of a panel; the clamp keeps a stray
  // negative key from turning the whole texture into NaN.
  const float t = fastSin(std::sqrt(key > 0.0f ? key : 0.0f)) * 14371.545f;
  return t - std::trunc(t);
}

float fractalNoise(float x, float y) {
  const NoiseOctave* octaves = noiseOctaves();
  float sum = 0.0f;
  for (int o = 0; o < kNoiseOctaves; ++o) {
    const float X = 0.01f * x;
    const float Y = 0.01f * y;
    const float ix = std::trunc(X);
    const float iy = std::trunc(Y);
    const float fx = X - ix;
    const float fy = Y - iy;
    const float ax0 = octaves[o].a * ix;
    const float ax1 = octaves[o].a * (ix + 1.0f);
    const float by0 = octaves[o].b * iy;
    const float by1 = octaves[o].b * (iy + 1.0f);
    const float h00 = noiseHash(ax0 + by0);
    const float h10 = noiseHash(ax1 + by0);
    const float h01 = noiseHash(ax0 + by1);
    const float h11 = noiseHash(ax1 + by1);
    const float v0 = h00 + (h10 - h00) * fx;
    const float v1 = h01 + (h11 - h01) * fx;
    const float e = v0 + (v1 - v0) * fy;
    const float scaled = -e * octaves[o].weight;
    const float g = scaled > -1.0f ? scaled : -1.0f;
    x = x * 2.433f;
    y = y * 2.433f;
    sum = sum + std::fabs(g);
    const float angle = kPiF * sum;
    x = x + fastCos(angle) * 53.0f * sum;
    y = y + fastSin(angle) * 53.0f * sum;
  }
  const float half = sum * 0.5f;
  const float c = half < 1.0f ? half : 1.0f;
  const float c2 = c + c;
  if (c < 0.5f) return 0.5f * c2 / (2.0f * (1.0f - c2) + 1.0f);
  const float u = c2 - 1.0f;
  return 0.5f * (u / (1.0f - (2.0f / 3.0f) * (1.0f - u)) + 1.0f);
}

float baseTextureHeight(int x, int y) {
  const float fx = static_cast<float>(x) + 100.0f;
  const float fy = static_cast<float>(y) + 100.0f + 60.0f * fastSin(0.01f * fx);
  return fractalNoise(fx, fy) * 0.325f + 0.2f;
}

void fillBaseTextureReference(float* heightMap, int width, int rowBegin, int rowEnd) {
  for (int y = rowBegin; y < rowEnd; ++y) {
    float* row = heightMap + static_cast<std::ptrdiff_t>(y) * width;
    for (int x = 0; x < width; ++x) row[x] = baseTextureHeight(x, y);
  }
}

void fillBaseTextureFast(float* heightMap, int width, int height) {
  const bool avx2 = platform::cpuSupportsAvx2();
  splitRows(height, [=](int rowBegin, int rowEnd) {
    if (avx2) {
      fillBaseTextureAvx2(heightMap, width, rowBegin, rowEnd);
    } else {
      fillBaseTextureReference(heightMap, width, rowBegin, rowEnd);
    }
  });
}

}  // namespace editor
