// Gradients as cairo patterns (Linux).
#include <cairo.h>

#include "gui/cgradient.h"
#include "gui/cpoint.h"

namespace gui {

cairo_pattern_t* CGradient::createLinearPattern(const CPoint& start, const CPoint& end,
                                                double alpha) const {
  cairo_pattern_t* pattern = cairo_pattern_create_linear(start.x, start.y, end.x, end.y);
  for (const ColorStop& s : stops_)
    cairo_pattern_add_color_stop_rgba(pattern, s.offset, s.color.red / 255.0, s.color.green / 255.0,
                                      s.color.blue / 255.0, s.color.alpha / 255.0 * alpha);
  return pattern;
}

}  // namespace gui
