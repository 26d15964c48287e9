// The sequence of block sizes a render uses: one fixed size, or random sizes
// from 1 to kMaxRandomBlock (repeatable from a seed) to shake out bugs that
// hide at block boundaries.
#pragma once

#include <cstdint>
#include <random>

#include "vst/aeffect.h"

namespace vhost {

constexpr VstInt32 kMaxRandomBlock = 2048;

class BlockSizer {
 public:
  static BlockSizer fixed(VstInt32 frames) { return BlockSizer(frames, false, 0); }
  static BlockSizer random(uint32_t seed) { return BlockSizer(kMaxRandomBlock, true, seed); }

  // The largest block the host will ever ask for (what effSetBlockSize gets).
  VstInt32 maxBlock() const { return maxBlock_; }
  // The next block's size, never more than `remaining` (which must be > 0).
  VstInt32 next(int64_t remaining);

 private:
  BlockSizer(VstInt32 maxBlock, bool random, uint32_t seed)
      : maxBlock_(maxBlock), random_(random), generator_(seed), sizes_(1, maxBlock) {}

  VstInt32 maxBlock_;
  bool random_;
  std::mt19937 generator_;
  std::uniform_int_distribution<VstInt32> sizes_;
};

}  // namespace vhost
