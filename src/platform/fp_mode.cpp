#include "platform/fp_mode.h"

#if defined(__SSE__) || defined(_M_X64)
#include <xmmintrin.h>
#define VELLMARK_HAS_MXCSR 1
#endif

namespace platform {

namespace {
constexpr uint32_t kFlushToZeroBit = 0x8000;
}

uint32_t floatingPointControlWord() {
#ifdef VELLMARK_HAS_MXCSR
  return _mm_getcsr();
#else
  return 0;
#endif
}

void setFloatingPointControlWord(uint32_t word) {
#ifdef VELLMARK_HAS_MXCSR
  _mm_setcsr(word);
#else
  (void)word;
#endif
}

uint32_t floatingPointMode() { return floatingPointControlWord() & ~0x3fu; }

bool flushToZeroEnabled() { return (floatingPointControlWord() & kFlushToZeroBit) != 0; }

ScopedFlushToZero::ScopedFlushToZero() : saved_(floatingPointControlWord()) {
  setFloatingPointControlWord(saved_ | kFlushToZeroBit);
}

ScopedFlushToZero::~ScopedFlushToZero() { setFloatingPointControlWord(saved_); }

}  // namespace platform
