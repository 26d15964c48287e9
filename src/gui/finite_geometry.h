// Checks that keep non-finite coordinates away from the drawing backends
// (cairo puts a context into a permanent error state on them).
#pragma once

#include <cmath>

#include "gui/cpoint.h"
#include "gui/crect.h"

namespace gui {

inline bool finitePoint(const CPoint& p) { return std::isfinite(p.x) && std::isfinite(p.y); }

inline bool finiteRect(const CRect& r) {
  return std::isfinite(r.left) && std::isfinite(r.top) && std::isfinite(r.right) &&
         std::isfinite(r.bottom);
}

}  // namespace gui
