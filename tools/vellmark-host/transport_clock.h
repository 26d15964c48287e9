// The host's song position: a steady tempo in 4/4 from sample 0, turned into
// the time record a plug-in asks for at the start of each block.
#pragma once

#include <cstdint>

#include "vst/aeffect.h"

namespace vhost {

class TransportClock {
 public:
  TransportClock(double sampleRate = 48000.0, double tempo = 120.0);

  void configure(double sampleRate, double tempo);
  // Positions the clock at the first sample of the next block.
  void moveTo(int64_t samplePos);
  void setPlaying(bool playing);

  const VstTimeInfo& info() const { return info_; }
  VstTimeInfo* record() { return &info_; }
  double tempo() const { return tempo_; }

 private:
  void update();

  double sampleRate_;
  double tempo_;
  int64_t samplePos_ = 0;
  bool playing_ = false;
  bool changed_ = false;  // transport started or stopped since the last block
  VstTimeInfo info_{};
};

}  // namespace vhost
