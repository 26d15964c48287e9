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
  quietSamples_ = 0;
  if (!dirty_ && empty_) return;
  std::memset(tape, 0, sizeof tape);
  std::memset(ring, 0, sizeof ring);
  dirty_ = false;
  empty_ = true;
}

float QuarnelEcho::step(float x, float feedback, float delay) {
  // A negative or NaN delay would index outside the ring. Long delays need
  // no bound: the tape plays them by moving slower than one cell a sample,
  // and its positions stay inside the loop whatever the speed.
  if (!(delay >= 0.0f)) delay = 0.0f;
  empty_ = false;
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
  const float y = readTape(i, f);

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

void QuarnelEcho::skipEmptySteps(float delay, float delayStep, int32_t count) {
  if (count <= 0) return;
  ringIndex = (ringIndex + count) & kMask;
  float d = !(delay >= 0.0f) ? 0.0f : delay;
  if (delayStep != 0.0f || count > 65536) {
    // A gliding delay: the tape's positions step by step as step() moves
    // them.
    for (int32_t i = 0; i < count; ++i) {
      float di = delay;
      if (!(di >= 0.0f)) di = 0.0f;
      if (di > kTapeThreshold) {
        const float step = static_cast<float>(kLength) / di;
        writeIndex = static_cast<int32_t>(readPos);
        readPos = readPos + static_cast<double>(step);
        if (readPos > 131071.0) readPos = 0.0;
      }
      delay = delay + delayStep;
    }
    return;
  }
  if (!(d > kTapeThreshold)) return;  // the ring alone moves
  // A steady tape speed. Every step is a float of at least 2^-7 (delays stay
  // at or below 2^24), so it is a multiple of 2^-31, and so is every
  // position, which stays below 2^18: each double sum is exact. The
  // positions after k steps are therefore readPos + k * step exactly, and
  // the lap ends (the position returns to 0) at the first k that passes
  // 131071.
  const double step = static_cast<double>(static_cast<float>(kLength) / d);
  int32_t left = count;
  while (left > 0) {
    const double room = 131071.0 - readPos;
    int64_t k = room < 0.0 ? 1 : static_cast<int64_t>(std::floor(room / step)) + 1;
    while (k > 1 && readPos + static_cast<double>(k - 1) * step > 131071.0) --k;
    while (readPos + static_cast<double>(k) * step <= 131071.0) ++k;
    if (k > left) {
      writeIndex = static_cast<int32_t>(readPos + static_cast<double>(left - 1) * step);
      readPos = readPos + static_cast<double>(left) * step;
      return;
    }
    writeIndex = static_cast<int32_t>(readPos + static_cast<double>(k - 1) * step);
    readPos = 0.0;
    left -= static_cast<int32_t>(k);
  }
}

bool QuarnelEcho::allPlusZero(const float* cells, int32_t count) {
  uint32_t bits = 0;
  for (int32_t i = 0; i < count; ++i) {
    uint32_t b;
    std::memcpy(&b, &cells[i], sizeof b);
    bits |= b;
  }
  return bits == 0;
}

void QuarnelEcho::noteQuietBlock(bool quiet, int32_t count) {
  if (empty_) return;
  // The tone filter may rest on -0: fed +0 it stays there and still adds
  // nothing to the +0 output.
  float state[2] = {lastOut, lastIn};
  if (!quiet || !allPlusZero(state, 2) || toneState != 0.0f) {
    quietSamples_ = 0;
    return;
  }
  quietSamples_ = quietSamples_ + count;
  if (quietSamples_ < kLength) return;
  // One look over the whole line (once a lap of quiet): a tail that has
  // died away leaves +0 everywhere, and the line is empty again.
  quietSamples_ = 0;
  if (allPlusZero(tape, kLength) && allPlusZero(ring, kLength)) {
    empty_ = true;
    dirty_ = false;
  }
}

}  // namespace engine
