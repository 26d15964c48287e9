// The output crush: a curved quantiser on each spring bus. At curve 0.5 the
// staircase is straightened out and the signal passes; towards 1 every
// sample is pushed up to its next level.
#pragma once

#include <cmath>
#include <cstdint>

namespace engine {

struct OutputCrush {
  float outCrushLevels = 1.0f;
  float outCrushStep = 1.0f;
  float outCrushCurve = 0.5f;

  // CRUSH bits: 2^int(16 v) levels per unit.
  void setBits(int32_t bits) {
    outCrushLevels = std::pow(2.0f, static_cast<float>(bits));
    outCrushStep = 1.0f / outCrushLevels;
  }
  // CRUSH: 0.5 passes, towards 1 the staircase.
  void setCurve(float v) { outCrushCurve = 0.5f + 0.4999f * v; }

  bool active() const { return outCrushCurve > 0.0f; }

  float process(float x) const {
    const float f = (x + 1.0f) * outCrushLevels;
    const float c = std::floor(f);
    const float t = f - c;
    return (t / ((1.0f - t) * (1.0f / outCrushCurve - 2.0f) + 1.0f) + c - outCrushLevels) *
           outCrushStep;
  }
};

}  // namespace engine
