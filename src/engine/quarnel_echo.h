// One echo line: a tape loop read back one lap later for long delays (a
// delay change alters the tape speed and bends the pitch of the echoes
// instead of clicking) and a ring with a fractional tap for short ones.
#pragma once

#include <cstdint>

namespace engine {

class QuarnelEcho {
 public:
  static constexpr int32_t kLength = 131072;  // cells in the tape and in the ring
  static constexpr int32_t kMask = kLength - 1;
  static constexpr float kTapeThreshold = 1000.0f;  // longer delays run on the tape

  QuarnelEcho();
  virtual ~QuarnelEcho() = default;

  // One sample: input x, feedback g, delay in samples. Returns the echo.
  float step(float x, float feedback, float delay);

  // Zeroes the running state, both positions and both buffers. Cheap when
  // nothing has been written since the last clear.
  void clear();

  bool holdsSignal() const { return dirty_; }

  // Every cell and the running state hold +0 (the tone filter +0 or -0):
  // cleared, or found so by noteQuietBlock(). Any step() may write
  // something else.
  bool empty() const { return empty_; }
  // `count` steps of +0 input on an empty line with a feedback that is
  // neither negative nor NaN: each would read, write and return +0, so
  // only the positions move, to exactly where those steps leave them. The
  // delay of step i is `delay` advanced i times by `delayStep`.
  void skipEmptySteps(float delay, float delayStep, int32_t count);
  // After a block of steps: once the input and the running state have been
  // +0 for a lap of the ring, look whether the buffers are all +0 too.
  void noteQuietBlock(bool quiet, int32_t count);

  float toneState;
  float lastOut;
  int32_t writeIndex;
  int32_t ringIndex;
  float lastIn;
  double readPos;
  float tape[kLength];
  float ring[kLength];

 private:
  float tapeStep(float x, float feedback, float delay);
  // Cubic interpolation between the four cells around position i + f.
  float readTape(int32_t i, float f) const {
    const float ym1 = tape[(i - 1) & kMask];
    const float y0 = tape[i & kMask];
    const float y1 = tape[(i + 1) & kMask];
    const float y2 = tape[(i + 2) & kMask];
    return ((((y0 - y1) * 1.5f + (y2 - ym1) * 0.5f) * f +
             (ym1 - 2.5f * y0 + 2.0f * y1 - 0.5f * y2)) *
                f +
            (y1 - ym1) * 0.5f) *
               f +
           y0;
  }
  float ringStep(float x, float feedback, float delay);

  static bool allPlusZero(const float* cells, int32_t count);

  bool dirty_;  // something other than zero may have been written since the last clear
  bool empty_ = false;
  int32_t quietSamples_ = 0;
};

}  // namespace engine
