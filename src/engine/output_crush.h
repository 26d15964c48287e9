// The output crush: a curved quantiser on each spring bus. At curve 0.5 the
// staircase is straightened out and the signal passes; towards 1 every
// sample is pushed up to its next level.
#pragma once

#include <cmath>
#include <cstdint>

namespace engine {

class OutputCrush {
 public:
  // CRUSH bits: 2^int(16 v) levels per unit.
  void setBits(int32_t bits) {
    levels_ = std::pow(2.0f, static_cast<float>(bits));
    step_ = 1.0f / levels_;
  }
  // CRUSH: 0.5 passes, towards 1 the staircase.
  void setCurve(float v) {
    curve_ = 0.5f + 0.4999f * v;
    shape_ = 1.0f / curve_ - 2.0f;
  }

  bool active() const { return curve_ > 0.0f; }
  float levels() const { return levels_; }
  float step() const { return step_; }
  float shape() const { return shape_; }

  float process(float x) const {
    const float f = (x + 1.0f) * levels_;
    const float c = std::floor(f);
    const float t = f - c;
    return (t / ((1.0f - t) * shape_ + 1.0f) + c - levels_) * step_;
  }

 private:
  float levels_ = 1.0f;
  float step_ = 1.0f;
  float curve_ = 0.5f;
  float shape_ = 0.0f;  // 1 / curve - 2, the bend of each stair
};

}  // namespace engine
