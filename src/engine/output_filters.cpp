#include "engine/output_filters.h"

#include <cmath>

namespace engine {

void OnePole::setCutoff(float cutoffHz, float invRate) {
  const double n = std::exp(-6.283185307179586 * static_cast<double>(cutoffHz) *
                            static_cast<double>(invRate));
  const float c = static_cast<float>(n);
  a = -c;
  b = 1.0f - c;
}

}  // namespace engine
