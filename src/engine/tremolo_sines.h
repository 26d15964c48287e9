// The tremolo sine of many phases at once, for the fast renderer: the same
// bits as tremoloSineInline() for every input, NaN and infinities included
// (NaN payloads aside).
#pragma once

#include <cstdint>

namespace engine {

// sine[i] = tremoloSineInline(double(x[i])) for i < count.
void tremoloSinesScalar(const float* x, int32_t count, double* sine);
// The same four at a time; only on processors with AVX2.
void tremoloSinesAvx2(const float* x, int32_t count, double* sine);

}  // namespace engine
