// The key kernels for every x86-64 processor: four keys per register.
#if defined(__x86_64__) || defined(_M_X64)

#include "engine/lanes_sse2.h"
// The kernels after the lane type they are instantiated with.
#include "engine/fast_sand_kernel.h"

namespace engine {

FastKernels sse2KeyKernels() { return fast_kernel::kernelsFor<lanes_sse2::Isa>("sse2"); }

}  // namespace engine

#endif
