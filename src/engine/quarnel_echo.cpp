#include "engine/quarnel_echo.h"

#include <cmath>
#include <cstring>

namespace engine {

QuarnelEcho::QuarnelEcho() {
  dirty_ = true;
  clear();
}

void QuarnelEcho::clear() {
  toneState = 0.0f;
  lastOut = 0.0f;
  writeIndex = 0;
  ringIndex = 0;
  lastIn = 0.0f;
  readPos = 0.0;
  // Hosts send all-notes-off in bursts; zeroing 1 MB that is already zero
  // would cost the whole audio block each time.
  if (!dirty_) return;
  std::memset(tape, 0, sizeof tape);
  std::memset(ring, 0, sizeof ring);
  dirty_ = false;
}

float QuarnelEcho::step(float x, float feedback, float delay) {
  // A negative or NaN delay would index outside the ring. Long delays need
  // no bound: the tape plays them by moving slower than one cell a sample,
  // and its positions stay inside the loop whatever the speed.
  if (!(delay >= 0.0f)) delay = 0.0f;
  if (x != 0.0f || lastOut != 0.0f || lastIn != 0.0f) dirty_ = true;
  if (delay > kTapeThreshold) return tapeStep(x, feedback, delay);
  return ringStep(x, feedback, delay);
}

float QuarnelEcho::tapeStep(float x, float feedback, float delay) {
  const float step = static_cast<float>(kLength) / delay;
  const int32_t n = static_cast<int32_t>(std::ceil(step));
  const float w = feedback * lastOut + x;
  if (step >= 2.0f) {
    const float inc = (w - lastIn) / static_cast<float>(n);
    for (int32_t j = 0; j < n; ++j) {
      tape[(writeIndex + j) & kMask] = lastIn;
      lastIn = lastIn + inc;
    }
  } else {
    tape[writeIndex & kMask] = w;
    tape[(writeIndex + 1) & kMask] = w;
  }
  lastIn = w;
  writeIndex = static_cast<int32_t>(readPos);
  readPos = readPos + static_cast<double>(step);
  if (readPos > 131071.0) readPos = 0.0;

  const int32_t i = static_cast<int32_t>(readPos);
  const float f = static_cast<float>(readPos - static_cast<double>(i));
  const float ym1 = tape[(i - 1) & kMask];
  const float y0 = tape[i & kMask];
  const float y1 = tape[(i + 1) & kMask];
  const float y2 = tape[(i + 2) & kMask];
  const float y =
      ((((y0 - y1) * 1.5f + (y2 - ym1) * 0.5f) * f + (ym1 - 2.5f * y0 + 2.0f * y1 - 0.5f * y2)) *
           f +
       (y1 - ym1) * 0.5f) *
          f +
      y0;

  // Each lap inverts the polarity and dulls the sound.
  toneState = (toneState - y) * 0.325f;
  lastOut = lastOut * 0.45562503f + toneState;
  ring[ringIndex] = lastOut;
  ringIndex = (ringIndex + 1) & kMask;
  return lastOut;
}

float QuarnelEcho::ringStep(float x, float feedback, float delay) {
  const int32_t di = static_cast<int32_t>(delay);
  const float fr = delay - static_cast<float>(di);
  int32_t j = ringIndex - di;
  if (j < 0) j += kLength;
  const float v = ((ring[(j + 1) & kMask] - ring[j]) * fr + ring[j]) * feedback;
  ring[ringIndex] = v + x;
  ringIndex = (ringIndex + 1) & kMask;
  return v;
}

}  // namespace engine
