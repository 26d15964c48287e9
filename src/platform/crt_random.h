// The platform C runtime's pseudo-random generator, reproduced exactly so
// that seeded sequences (the tuning passes' detuning) are the same on every
// system: state = state * 214013 + 2531011 (mod 2^32), result = bits 16..30.
#pragma once

#include <cstdint>

namespace platform {

constexpr int kRandMax = 32767;

class CrtRandom {
 public:
  explicit CrtRandom(uint32_t seed = 1) : state_(seed) {}

  void srand(uint32_t seed) { state_ = seed; }

  int rand() {
    state_ = state_ * 214013u + 2531011u;
    return static_cast<int>((state_ >> 16) & 0x7fffu);
  }

  // One draw scaled to [0, 1]: rand() * (1 / 32767) in single precision.
  float rnd() { return static_cast<float>(rand()) * 3.0518509e-05f; }

  uint32_t state() const { return state_; }

 private:
  uint32_t state_;
};

// Free functions with the platform's per-thread semantics: every thread
// owns its own generator state, starting at seed 1.
void srand(uint32_t seed);
int rand();

}  // namespace platform
