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
  float ringStep(float x, float feedback, float delay);

  bool dirty_;  // something other than zero may have been written since the last clear
};

}  // namespace engine
