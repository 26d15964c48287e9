// Choice of the fast key renderer's SIMD kernels. The kernels for each
// instruction set live in their own file (fast_keys_avx2.cpp is compiled
// for AVX2, fast_keys_sse2.cpp for the x86-64 baseline); this picks one at
// run time from what the processor offers.
#pragma once

#include <cstdint>

#include "engine/fast_render_types.h"

namespace engine {

enum class FastKernelChoice : uint8_t {
  Auto,  // the widest the processor supports
  Avx2,  // eight keys per register (only if the processor has AVX2)
  Sse2,  // four keys per register, every x86-64 processor
};

// The kernels for a choice, or null when this build or processor has none
// (the engine then renders with the reference).
const FastKernels* fastKeyKernels(FastKernelChoice choice);

}  // namespace engine
