// Level figures of a rendered stereo signal: peak and RMS per channel, the
// number of non-finite samples and of samples at or beyond full scale.
#pragma once

#include <cstdint>

namespace vhost {

class SignalStats {
 public:
  static constexpr int kChannels = 2;

  void add(const float* const* channels, int64_t frames);

  int64_t frames() const { return frames_; }
  double peak(int channel) const { return peak_[channel]; }
  double rms(int channel) const;
  int64_t nonFinite() const { return nonFinite_; }
  int64_t clipped() const { return clipped_; }

 private:
  int64_t frames_ = 0;
  double peak_[kChannels] = {0.0, 0.0};
  double sumSquares_[kChannels] = {0.0, 0.0};
  int64_t nonFinite_ = 0;
  int64_t clipped_ = 0;
};

// Full-scale decibels of a linear level; -inf shown for silence.
double toDecibels(double level);

}  // namespace vhost
