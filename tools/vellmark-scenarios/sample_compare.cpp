#include "sample_compare.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace scenarios {

SampleComparison compareSamples(const std::vector<float>& reference,
                                const std::vector<float>& other) {
  SampleComparison result;
  result.sameLength = reference.size() == other.size();
  result.samples = static_cast<int64_t>(std::min(reference.size(), other.size()));
  for (int64_t i = 0; i < result.samples; ++i) {
    const float a = reference[static_cast<size_t>(i)];
    const float b = other[static_cast<size_t>(i)];
    if (std::memcmp(&a, &b, sizeof a) == 0) continue;
    ++result.differing;
    if (result.firstDifference < 0) result.firstDifference = i;
    const double difference = std::fabs(static_cast<double>(a) - static_cast<double>(b));
    // A NaN on one side only is the largest difference there is.
    result.largestDifference =
        std::isnan(difference) ? INFINITY : std::max(result.largestDifference, difference);
  }
  return result;
}

}  // namespace scenarios
