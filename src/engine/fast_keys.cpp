#include "engine/fast_keys.h"

namespace engine {

#if defined(__x86_64__) || defined(_M_X64)

FastKernels avx2KeyKernels();
FastKernels sse2KeyKernels();

namespace {

bool processorHasAvx2() {
#if defined(__GNUC__)
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx2") != 0;
#else
  return false;
#endif
}

// Settled when the module loads, so that the audio thread only reads them.
// Nothing compiled for AVX2 runs (not even the table's getter) unless the
// processor has it.
const bool kHasAvx2 = processorHasAvx2();
const FastKernels kSse2 = sse2KeyKernels();
const FastKernels kAvx2 = kHasAvx2 ? avx2KeyKernels() : kSse2;

}  // namespace

const FastKernels* fastKeyKernels(FastKernelChoice choice) {
  if (choice == FastKernelChoice::Sse2 || !kHasAvx2) return &kSse2;
  return &kAvx2;
}

#else

const FastKernels* fastKeyKernels(FastKernelChoice) { return nullptr; }

#endif

}  // namespace engine
