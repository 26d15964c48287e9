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

}  // namespace

const FastKernels* fastKeyKernels(FastKernelChoice choice) {
  static const bool hasAvx2 = processorHasAvx2();
  static const FastKernels avx2 = avx2KeyKernels();
  static const FastKernels sse2 = sse2KeyKernels();
  if (choice == FastKernelChoice::Sse2 || !hasAvx2) return &sse2;
  return &avx2;
}

#else

const FastKernels* fastKeyKernels(FastKernelChoice) { return nullptr; }

#endif

}  // namespace engine
