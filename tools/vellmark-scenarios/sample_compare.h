// Sample-by-sample comparison of two renders of the same scenario.
#pragma once

#include <cstdint>
#include <vector>

namespace scenarios {

struct SampleComparison {
  bool sameLength = false;
  int64_t samples = 0;    // compared (the shorter length)
  int64_t differing = 0;  // samples whose bits differ
  int64_t firstDifference = -1;
  double largestDifference = 0.0;  // absolute, full scale 1.0
};

// Bit-exact comparison; a NaN equals only the same NaN bits.
SampleComparison compareSamples(const std::vector<float>& reference,
                                const std::vector<float>& other);

}  // namespace scenarios
