// The panel's one sine approximation: reduce the argument by the nearest
// multiple of pi and evaluate an odd polynomial on [-pi/2, pi/2]. The float
// version is the one the vectorised noise and shading mirror operation by
// operation, so its exact sequence of roundings is part of the panel's look:
// change it only together with the vector code.
#pragma once

#include <cmath>
#include <cstdint>

namespace editor {

constexpr float kPiF = 3.14159265358979f;
constexpr float kInvPiF = 0.318309886183791f;
constexpr float kSineC1F = 0.9996919862959676f;
constexpr float kSineC3F = -0.1652891139701474f;
constexpr float kSineC5F = 0.0073524681968701175f;

// Valid for |x| below about 2^22, far beyond any argument the panel uses.
inline float fastSin(float x) {
  const float k = std::nearbyint(x * kInvPiF);
  const float r = x - k * kPiF;
  const float r2 = r * r;
  const float s = r * (kSineC1F + r2 * (kSineC3F + r2 * kSineC5F));
  return (static_cast<int32_t>(k) & 1) != 0 ? -s : s;
}

inline float fastCos(float x) { return fastSin(x + 0.5f * kPiF); }

// Double version for the scalar relief primitives and skin generators.
inline double fastSin(double x) {
  constexpr double kPi = 3.141592653589793;
  const double k = std::nearbyint(x / kPi);
  const double r = x - k * kPi;
  const double r2 = r * r;
  const double s =
      r * (0.9996919862959676 + r2 * (-0.1652891139701474 + r2 * 0.0073524681968701175));
  // fmod keeps the parity test defined for any finite k.
  return std::fmod(k, 2.0) != 0.0 ? -s : s;
}

inline double fastCos(double x) { return fastSin(x + 1.5707963267948966); }

}  // namespace editor
