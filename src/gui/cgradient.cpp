#include "gui/cgradient.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>

#include "gui/cpoint.h"

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

cairo_pattern_t* CGradient::createLinearPattern(const CPoint& start, const CPoint& end,
                                                double alpha) const {
  cairo_pattern_t* pattern = cairo_pattern_create_linear(start.x, start.y, end.x, end.y);
  for (const ColorStop& s : stops_)
    cairo_pattern_add_color_stop_rgba(pattern, s.offset, s.color.red / 255.0, s.color.green / 255.0,
                                      s.color.blue / 255.0, s.color.alpha / 255.0 * alpha);
  return pattern;
}

}  // namespace gui
