// The key kernels for processors with AVX2: eight keys per register.
// Compiled with -mavx2; called only after the CPU check in fast_keys.cpp.
#if defined(__x86_64__) || defined(_M_X64)

#include "engine/lanes_avx2.h"
// The kernels after the lane type they are instantiated with.
#include "engine/fast_sand_kernel.h"

namespace engine {

FastKernels avx2KeyKernels() {
  FastKernels kernels = fast_kernel::kernelsFor<lanes_avx2::Isa>("avx2");
  kernels.tremoloSines = &tremoloSinesAvx2;
  return kernels;
}

}  // namespace engine

#endif
