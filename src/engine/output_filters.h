// The one-pole output high-pass and low-pass of both channels.
#pragma once

#include <cstdint>
#include <cstring>

namespace engine {

struct OnePole {
  float a = 0.0f;  // -N
  float b = 1.0f;  // 1 - N

  // N = exp(-2 pi * cutoffHz * invRate); the cutoff product is single
  // precision, the rest double.
  void setCutoff(float cutoffHz, float invRate);
};

struct OutputFilters {
  OnePole highpass;
  OnePole lowpass;
  float highpassStateL = 0.0f;
  float highpassStateR = 0.0f;
  float lowpassStateL = 0.0f;
  float lowpassStateR = 0.0f;

  void clear() { highpassStateL = highpassStateR = lowpassStateL = lowpassStateR = 0.0f; }

  bool statesAtPlusZero() const {
    return (bitsOf(highpassStateL) | bitsOf(highpassStateR) | bitsOf(lowpassStateL) |
            bitsOf(lowpassStateR)) == 0;
  }
  static uint32_t bitsOf(float x) {
    uint32_t b;
    std::memcpy(&b, &x, sizeof b);
    return b;
  }

  static float highpassStep(const OnePole& hp, float& s, float x) {
    s = hp.b * x - hp.a * s;
    return x - s;
  }

  static float lowpassStep(const OnePole& lp, float& t, float x) {
    t = lp.b * x - lp.a * t;
    return t;
  }

  // Both channels of a block in place: high-pass, then low-pass. Returns
  // whether every output is +0 (the echo can then skip its work).
  bool processAndCheckZero(float* out0, float* out1, int32_t count) {
    uint32_t bits = 0;
    for (int32_t i = 0; i < count; ++i) {
      out0[i] =
          lowpassStep(lowpass, lowpassStateL, highpassStep(highpass, highpassStateL, out0[i]));
      out1[i] =
          lowpassStep(lowpass, lowpassStateR, highpassStep(highpass, highpassStateR, out1[i]));
      bits |= bitsOf(out0[i]) | bitsOf(out1[i]);
    }
    return bits == 0;
  }

  // The same for a block of +0 input, as the silent engine gives it. Once
  // a sample starts and ends with every state at +0 and gives +0, the
  // filters are at a fixed point of +0 input, so the rest of the block is
  // +0 too and needs no arithmetic. Returns whether every output is +0.
  bool processZeroInput(float* out0, float* out1, int32_t count) {
    for (int32_t i = 0; i < count; ++i) {
      const bool restingBefore = statesAtPlusZero();
      out0[i] =
          lowpassStep(lowpass, lowpassStateL, highpassStep(highpass, highpassStateL, out0[i]));
      out1[i] =
          lowpassStep(lowpass, lowpassStateR, highpassStep(highpass, highpassStateR, out1[i]));
      if (restingBefore && statesAtPlusZero() && (bitsOf(out0[i]) | bitsOf(out1[i])) == 0)
        return true;  // the remaining outputs are the +0 they already hold
    }
    // Not resting by the end: say whether the outputs happen to be +0.
    uint32_t bits = 0;
    for (int32_t i = 0; i < count; ++i) bits |= bitsOf(out0[i]) | bitsOf(out1[i]);
    return bits == 0;
  }

  // Both channels of a block in place: high-pass, then low-pass.
  void process(float* out0, float* out1, int32_t count) {
    for (int32_t i = 0; i < count; ++i) {
      out0[i] =
          lowpassStep(lowpass, lowpassStateL, highpassStep(highpass, highpassStateL, out0[i]));
      out1[i] =
          lowpassStep(lowpass, lowpassStateR, highpassStep(highpass, highpassStateR, out1[i]));
    }
  }
};

}  // namespace engine
