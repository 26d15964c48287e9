// The engine's quiet test. A float is quiet when its exponent field and the
// three highest fraction bits are all zero, that is |x| < 2^-129 (zero and the
// smallest denormals). Recursive states that turn quiet are set to 0, which
// keeps decaying resonators out of denormal arithmetic and lets silent keys
// be recognised exactly.
#pragma once

#include <cstdint>
#include <cstring>

namespace engine {

constexpr uint32_t kQuietMask = 0x7ff00000u;

inline uint32_t floatBits(float x) {
  uint32_t bits;
  std::memcpy(&bits, &x, sizeof bits);
  return bits;
}

inline bool isQuiet(float x) { return (floatBits(x) & kQuietMask) == 0; }

}  // namespace engine
