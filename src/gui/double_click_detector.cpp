#include "gui/double_click_detector.h"

#include <cmath>

namespace gui {

bool DoubleClickDetector::onMouseDown(const CPoint& where, int32_t button, uint64_t timeMs) {
  const bool isDouble = hasFirst_ && button == button_ && timeMs >= timeMs_ &&
                        timeMs - timeMs_ <= kMaxIntervalMs &&
                        std::fabs(where.x - where_.x) <= kMaxDistance &&
                        std::fabs(where.y - where_.y) <= kMaxDistance;
  if (isDouble) {
    hasFirst_ = false;
    return true;
  }
  hasFirst_ = true;
  where_ = where;
  button_ = button;
  timeMs_ = timeMs;
  return false;
}

}  // namespace gui
