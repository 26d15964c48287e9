// The one-pole output high-pass and low-pass of both channels.
#pragma once

#include <cstdint>

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

  static float highpassStep(const OnePole& hp, float& s, float x) {
    s = hp.b * x - hp.a * s;
    return x - s;
  }

  static float lowpassStep(const OnePole& lp, float& t, float x) {
    t = lp.b * x - lp.a * t;
    return t;
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
