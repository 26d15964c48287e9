// Decides whether a mouse down completes a double click: the same button
// again within a short time and a few pixels of the first click. A third
// click starts over.
#pragma once

#include <cstdint>

#include "gui/cpoint.h"

namespace gui {

class DoubleClickDetector {
 public:
  static constexpr uint64_t kMaxIntervalMs = 400;
  static constexpr double kMaxDistance = 4.0;

  // Records a mouse down of the button bits at the time; true when it is the
  // second click of a double click.
  bool onMouseDown(const CPoint& where, int32_t button, uint64_t timeMs);
  void reset() { hasFirst_ = false; }

 private:
  bool hasFirst_ = false;
  CPoint where_;
  int32_t button_ = 0;
  uint64_t timeMs_ = 0;
};

}  // namespace gui
