// Small conversions shared by the parameter rules and the engine's own
// re-application of the tempo-synced ones.
#pragma once

#include <cmath>
#include <cstdint>

namespace engine {

// Powers of two are single precision unless a rule says otherwise.
inline float pow2(float x) { return std::pow(2.0f, x); }

// int() of a scaled parameter value; values are 0..1, the bounds make the
// conversion safe whatever arrives.
inline int32_t truncatedProduct(float scale, float v, int32_t lo, int32_t hi) {
  const float x = scale * v;
  if (!(x >= static_cast<float>(lo))) return lo;
  if (x >= static_cast<float>(hi)) return hi;
  return static_cast<int32_t>(x);
}

}  // namespace engine
