// s^p for the specular highlights of the panel, in float, built from a
// polynomial logarithm and exponential (the classic Cephes single-precision
// coefficients). The vectorised shading repeats these exact operations, so
// the reference and the fast render give the same bytes.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>

namespace editor {

namespace powdetail {

inline float bitsToFloat(uint32_t bits) {
  float f;
  std::memcpy(&f, &bits, sizeof f);
  return f;
}

inline uint32_t floatToBits(float f) {
  uint32_t bits;
  std::memcpy(&bits, &f, sizeof bits);
  return bits;
}

}  // namespace powdetail

constexpr float kLnSqrtHalf = 0.707106781186547524f;
constexpr float kLnC0 = 7.0376836292e-2f;
constexpr float kLnC1 = -1.1514610310e-1f;
constexpr float kLnC2 = 1.1676998740e-1f;
constexpr float kLnC3 = -1.2420140846e-1f;
constexpr float kLnC4 = 1.4249322787e-1f;
constexpr float kLnC5 = -1.6668057665e-1f;
constexpr float kLnC6 = 2.0000714765e-1f;
constexpr float kLnC7 = -2.4999993993e-1f;
constexpr float kLnC8 = 3.3333331174e-1f;
constexpr float kLn2Hi = 0.693359375f;
constexpr float kLn2Lo = -2.12194440e-4f;
constexpr float kLog2e = 1.44269504088896341f;
constexpr float kExpC0 = 1.9875691500e-4f;
constexpr float kExpC1 = 1.3981999507e-3f;
constexpr float kExpC2 = 8.3334519073e-3f;
constexpr float kExpC3 = 4.1665795894e-2f;
constexpr float kExpC4 = 1.6666665459e-1f;
constexpr float kExpC5 = 5.0000001201e-1f;
// Below this the power is treated as zero (exp(-87) is near the smallest
// normal float).
constexpr float kExpFloor = -87.0f;

// Natural logarithm of a positive normal float.
inline float fastLog(float x) {
  const uint32_t bits = powdetail::floatToBits(x);
  float e = static_cast<float>(static_cast<int32_t>(bits >> 23) - 126);
  float m = powdetail::bitsToFloat((bits & 0x007FFFFFu) | 0x3F000000u);  // [0.5, 1)
  if (m < kLnSqrtHalf) {
    e = e - 1.0f;
    m = m + m - 1.0f;
  } else {
    m = m - 1.0f;
  }
  const float z = m * m;
  float y = kLnC0;
  y = y * m + kLnC1;
  y = y * m + kLnC2;
  y = y * m + kLnC3;
  y = y * m + kLnC4;
  y = y * m + kLnC5;
  y = y * m + kLnC6;
  y = y * m + kLnC7;
  y = y * m + kLnC8;
  y = y * m;
  y = y * z;
  y = y + e * kLn2Lo;
  y = y - 0.5f * z;
  m = m + y;
  return m + e * kLn2Hi;
}

// e^x for kExpFloor <= x <= 0.
inline float fastExp(float x) {
  const float fx = std::floor(x * kLog2e + 0.5f);
  x = x - fx * kLn2Hi;
  x = x - fx * kLn2Lo;
  const float z = x * x;
  float y = kExpC0;
  y = y * x + kExpC1;
  y = y * x + kExpC2;
  y = y * x + kExpC3;
  y = y * x + kExpC4;
  y = y * x + kExpC5;
  y = y * z;
  y = y + x;
  y = y + 1.0f;
  const uint32_t scale = static_cast<uint32_t>(static_cast<int32_t>(fx) + 127) << 23;
  return y * powdetail::bitsToFloat(scale);
}

// s^p for s in [0, 1] and p >= 0; zero when s is zero or the result would
// fall below the normal range.
inline float fastPow(float s, float p) {
  if (!(s >= 1.1754944e-38f)) return 0.0f;
  const float x = p * fastLog(s);
  if (!(x >= kExpFloor)) return 0.0f;
  return fastExp(x);
}

}  // namespace editor
