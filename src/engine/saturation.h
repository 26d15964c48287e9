// The soft saturation curve shared by spring A, spring B and the crush
// stages: S(0) = 0, S(0.5) = 1, S(1) = 2 for 0 <= x <= 1, a straight line
// 2x at amount s = 0.5 and an ever steeper S-shape as s moves away from it.
#pragma once

namespace engine {

inline float saturate(float x, float s) {
  const float y = x + x;
  if (x >= 0.5f) {
    const float u = y - 1.0f;
    return u / ((1.0f / (1.0f - s) - 2.0f) * (1.0f - u) + 1.0f) + 1.0f;
  }
  return y / ((1.0f / s - 2.0f) * (1.0f - y) + 1.0f);
}

}  // namespace engine
