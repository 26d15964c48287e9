#include "signal_stats.h"

#include <cmath>
#include <limits>

namespace vhost {

void SignalStats::add(const float* const* channels, int64_t frames) {
  for (int c = 0; c < kChannels; ++c) {
    const float* samples = channels[c];
    for (int64_t i = 0; i < frames; ++i) {
      const double x = samples[i];
      if (!std::isfinite(x)) {
        ++nonFinite_;  // kept out of peak and RMS so those stay meaningful
        continue;
      }
      const double magnitude = std::fabs(x);
      if (magnitude >= 1.0) ++clipped_;
      if (magnitude > peak_[c]) peak_[c] = magnitude;
      sumSquares_[c] += x * x;
    }
  }
  frames_ += frames;
}

double SignalStats::rms(int channel) const {
  return frames_ > 0 ? std::sqrt(sumSquares_[channel] / static_cast<double>(frames_)) : 0.0;
}

double toDecibels(double level) {
  return level > 0.0 ? 20.0 * std::log10(level) : -std::numeric_limits<double>::infinity();
}

}  // namespace vhost
