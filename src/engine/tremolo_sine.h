// Sine approximation of the tremolo, in double precision: reduce by the
// nearest multiple of pi and evaluate an odd polynomial on [-pi/2, pi/2].
#pragma once

#include <cmath>
#include <cstdint>

namespace engine {

inline double tremoloSine(double x) {
  const double n = std::round(x / 3.141592653589793);
  const double r = x - n * 3.141592653589793;
  const double r2 = r * r;
  const double s =
      r * (r2 * (r2 * 0.0073524681968701175 - 0.1652891139701474) + 0.9996919862959676);
  // fmod keeps the parity test defined for any finite n.
  return std::fmod(n, 2.0) != 0.0 ? -s : s;
}

// The same value without library calls: round() and fmod() are replaced
// by exact integer arithmetic (this runs once per sample and phaser).
inline double tremoloSineInline(double x) {
  const double q = x / 3.141592653589793;
  // round(q), halves away from zero, keeping round(-0.3) = -0.
  double n = q;
  if (std::fabs(q) < 4503599627370496.0) {  // below 2^52 q may have a fraction
    double t = static_cast<double>(static_cast<int64_t>(q));
    const double f = q - t;
    if (f >= 0.5)
      t = t + 1.0;
    else if (f <= -0.5)
      t = t - 1.0;
    n = std::copysign(t, q);
  }
  const double r = x - n * 3.141592653589793;
  const double r2 = r * r;
  const double s =
      r * (r2 * (r2 * 0.0073524681968701175 - 0.1652891139701474) + 0.9996919862959676);
  // fmod(n, 2) != 0: odd n, and NaN for NaN or infinite n.
  bool odd;
  const double a = std::fabs(n);
  if (!(a <= 1.7976931348623157e308))
    odd = true;
  else if (a >= 9007199254740992.0)  // 2^53 and above are even
    odd = false;
  else
    odd = (static_cast<int64_t>(a) & 1) != 0;
  return odd ? -s : s;
}

}  // namespace engine
