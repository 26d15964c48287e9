// The two echo lines after the output filters, with the settings they
// share: wet level, feedback, and each line's delay, free or tempo-synced.
// A delay change glides over the next block instead of jumping.
#pragma once

#include <cstdint>

#include "engine/quarnel_echo.h"

namespace engine {

// The time base a delay is computed in.
struct EchoTiming {
  float rate = 48000.0f;  // samples per second
  float tempo = 120.0f;   // BPM
};

class StereoEcho {
 public:
  void setWet(float v) { wet_ = v; }
  // Both lines feed back by the same amount.
  void setFeedback(float v) { feedback_ = feedbackL_ = feedbackR_ = v; }
  // One line's rate value; its delay jumps there (at least one sample).
  void setRate(bool left, float v, const EchoTiming& timing);
  // Sync on or off (0 or 1 as a parameter value): both delays computed
  // again, without the minimum, and the next block glides there.
  void setSync(float v, const EchoTiming& timing);
  // The tempo changed: a synced echo glides to the new lengths.
  void followTempo(const EchoTiming& timing) {
    if (sync_) setSync(static_cast<float>(sync_), timing);
  }
  // Forgets the rates (a new sample rate); the program is applied again.
  void resetRates() { rateL_ = rateR_ = 0.1f; }

  // Both lines empty, positions at the start.
  void clear();

  // Adds the echo of the block in place, gliding the delays from where the
  // last block left them.
  void process(float* out0, float* out1, int32_t count);

  // The same to the bit, with less work: a line that is empty and gets +0
  // input (`inputZero`) only moves its positions on. A line that has
  // settled is looked over now and then to find it empty again.
  void processFast(float* out0, float* out1, int32_t count, bool inputZero);

  // Delay in samples for a rate value, free or tempo-synced.
  int32_t delayFor(float rate, const EchoTiming& timing) const;

  float wet() const { return wet_; }
  bool synced() const { return sync_ != 0; }
  int32_t delayLeft() const { return delayL_; }
  int32_t delayRight() const { return delayR_; }
  int32_t delayPrevLeft() const { return delayPrevL_; }
  const QuarnelEcho& left() const { return left_; }
  const QuarnelEcho& right() const { return right_; }

 private:
  void processLineFast(QuarnelEcho& line, float* out, int32_t count, float delay, float delayStep,
                       float feedback, bool inputZero);

  float wet_ = 0.0f;
  float feedback_ = 0.0f;  // the copy stored before the two line copies
  float feedbackL_ = 0.0f;
  float feedbackR_ = 0.0f;
  int32_t delayL_ = 1;
  int32_t delayR_ = 1;
  int32_t delayPrevL_ = 0;  // where this block's glide starts
  int32_t delayPrevR_ = 0;
  uint8_t sync_ = 0;
  float rateL_ = 0.1f;
  float rateR_ = 0.1f;
  QuarnelEcho left_;
  QuarnelEcho right_;
};

}  // namespace engine
