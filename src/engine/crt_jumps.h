// The C runtime generator (state = state * 214013 + 2531011 mod 2^32)
// stepped many times at once: after n steps the state is
// mul[n] * state + add[n]. The SIMD kernels use it to make many draws in
// parallel, exactly as the generator would make them one by one.
#pragma once

#include <cstdint>

namespace engine {
namespace {  // each file keeps its own copy: only data, worked out at compile time

struct CrtJumps {
  static constexpr int kSteps = 64;
  uint32_t mul[kSteps + 1];
  uint32_t add[kSteps + 1];
  int32_t rank[256][8];  // for a set of lanes: each lane's rank among them
};

constexpr CrtJumps makeCrtJumps() {
  CrtJumps j{};
  j.mul[0] = 1u;
  j.add[0] = 0u;
  for (int n = 1; n <= CrtJumps::kSteps; ++n) {
    j.mul[n] = j.mul[n - 1] * 214013u;
    j.add[n] = j.add[n - 1] * 214013u + 2531011u;
  }
  for (int bits = 0; bits < 256; ++bits) {
    int rank = 0;
    for (int lane = 0; lane < 8; ++lane) {
      j.rank[bits][lane] = rank;
      if ((bits >> lane) & 1) ++rank;
    }
  }
  return j;
}

constexpr CrtJumps kCrtJumps = makeCrtJumps();

}  // namespace
}  // namespace engine
