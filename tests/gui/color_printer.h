// Readable test failure messages for toolkit values.
#pragma once

#include <ostream>

#include "gui/ccolor.h"
#include "gui/cpoint.h"
#include "gui/crect.h"

namespace gui {

inline void PrintTo(const CColor& c, std::ostream* os) {
  *os << "rgba(" << int(c.red) << ", " << int(c.green) << ", " << int(c.blue) << ", "
      << int(c.alpha) << ")";
}
inline void PrintTo(const CPoint& p, std::ostream* os) { *os << "(" << p.x << ", " << p.y << ")"; }
inline void PrintTo(const CRect& r, std::ostream* os) {
  *os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

}  // namespace gui
