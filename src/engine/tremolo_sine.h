// Sine approximation of the tremolo, in double precision: reduce by the
// nearest multiple of pi and evaluate an odd polynomial on [-pi/2, pi/2].
#pragma once

#include <cmath>

namespace engine {

inline double tremoloSine(double x) {
  const double n = std::round(x / 3.141592653589793);
  const double r = x - n * 3.141592653589793;
  const double r2 = r * r;
  const double s = r * (r2 * (r2 * 0.0073524681968701175 - 0.1652891139701474) + 0.9996919862959676);
  // fmod keeps the parity test defined for any finite n.
  return std::fmod(n, 2.0) != 0.0 ? -s : s;
}

}  // namespace engine
