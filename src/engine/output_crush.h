// The output crush: a curved quantiser on each spring bus. At curve 0.5 the
// staircase is straightened out and the signal passes; towards 1 every
// sample is pushed up to its next level.
#pragma once

#include <cmath>

namespace engine {

struct OutputCrush {
  float outCrushLevels = 1.0f;
  float outCrushStep = 1.0f;
  float outCrushCurve = 0.5f;

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
