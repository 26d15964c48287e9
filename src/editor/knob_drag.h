// The drag rule both knobs follow: moving up or right raises the value,
// 200 pixels span the range, and with Shift the drag is ten times finer.
// Pressing or releasing Shift mid-drag keeps what the drag did so far, so
// the value never jumps.
#pragma once

#include "gui/cpoint.h"

namespace editor {

class KnobDrag {
 public:
  // Value change per pixel of drag.
  static constexpr float kScale = 0.005f;
  static constexpr float kFineFactor = 0.1f;

  void start(const gui::CPoint& where, float value) {
    anchor_ = where;
    startValue_ = value;
    fine_ = false;
    active_ = true;
  }
  void stop() {
    active_ = false;
    fine_ = false;
  }
  bool active() const { return active_; }

  // The value for the pointer at `where`. False when this move only ends a
  // fine drag: the drag re-anchors at `current` and the value stays.
  bool follow(const gui::CPoint& where, bool fine, float current, float& value) {
    double distance = (where.y - anchor_.y) + (anchor_.x - where.x);
    if (fine) {
      if (!fine_) {
        // Measure fine steps from here, keeping the coarse drag so far.
        fine_ = true;
        startValue_ = static_cast<float>(startValue_ - distance * kScale);
        anchor_ = where;
        distance = 0;
      }
      distance *= kFineFactor;
    } else if (fine_) {
      fine_ = false;
      anchor_ = where;
      startValue_ = current;
      return false;
    }
    value = static_cast<float>(startValue_ - distance * kScale);
    return true;
  }

 private:
  gui::CPoint anchor_;
  float startValue_ = 0;
  bool fine_ = false;
  bool active_ = false;
};

}  // namespace editor
