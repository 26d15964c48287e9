#include "engine/output_filters.h"

#include <cmath>

namespace engine {

void OnePole::setCutoff(float cutoffHz, float invRate) {
  const double n =
      std::exp(-6.283185307179586 * static_cast<double>(cutoffHz) * static_cast<double>(invRate));
  // Both coefficients are rounded from the double value: 1 - c taken in
  // single precision after rounding c would lose its low bits.
  a = -static_cast<float>(n);
  b = static_cast<float>(1.0 - n);
}

}  // namespace engine
