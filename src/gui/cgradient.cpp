#include "gui/cgradient.h"

#include <algorithm>
#include <cmath>

namespace gui {

CGradient::CGradient(double color1Start, double color2Start, const CColor& color1,
                     const CColor& color2) {
  addColorStop(color1Start, color1);
  addColorStop(color2Start, color2);
}

void CGradient::addColorStop(double offset, const CColor& color) {
  if (!std::isfinite(offset)) offset = 0.0;
  offset = std::clamp(offset, 0.0, 1.0);
  auto at = std::upper_bound(stops_.begin(), stops_.end(), offset,
                             [](double o, const ColorStop& s) { return o < s.offset; });
  stops_.insert(at, ColorStop{offset, color});
}

}  // namespace gui
