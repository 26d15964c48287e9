// Floating-point mode of the calling thread. The engine flushes denormal
// results to zero while it renders and puts the caller's mode back before it
// returns, because hosts and validators reject modules that change the audio
// thread's mode.
#pragma once

#include <cstdint>

namespace platform {

class ScopedFlushToZero {
 public:
  ScopedFlushToZero();
  ~ScopedFlushToZero();
  ScopedFlushToZero(const ScopedFlushToZero&) = delete;
  ScopedFlushToZero& operator=(const ScopedFlushToZero&) = delete;

 private:
  uint32_t saved_;
};

// The raw control word, for tests that check nothing leaks to the caller.
uint32_t floatingPointControlWord();
// The mode part of it (rounding, flush-to-zero, denormals-are-zero and the
// exception masks), without the sticky status flags that any arithmetic
// may raise.
uint32_t floatingPointMode();
void setFloatingPointControlWord(uint32_t word);
bool flushToZeroEnabled();

}  // namespace platform
