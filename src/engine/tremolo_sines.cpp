#include "engine/tremolo_sines.h"

#include "engine/tremolo_sine.h"

namespace engine {

void tremoloSinesScalar(const float* x, int32_t count, double* sine) {
  for (int32_t i = 0; i < count; ++i) sine[i] = tremoloSineInline(static_cast<double>(x[i]));
}

}  // namespace engine
