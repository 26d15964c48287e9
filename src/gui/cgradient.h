// A colour gradient: colour stops at offsets 0 to 1 along the gradient line.
#pragma once

#include <vector>

#include "gui/cbase_object.h"
#include "gui/ccolor.h"

#if !defined(_WIN32)
typedef struct _cairo_pattern cairo_pattern_t;
#endif

namespace gui {

struct CPoint;

class CGradient : public CBaseObject {
 public:
  struct ColorStop {
    double offset;
    CColor color;
  };

  CGradient() = default;
  // Two stops: color1 at offset color1Start, color2 at offset color2Start.
  CGradient(double color1Start, double color2Start, const CColor& color1, const CColor& color2);
  static CGradient* create(double color1Start, double color2Start, const CColor& color1,
                           const CColor& color2) {
    return new CGradient(color1Start, color2Start, color1, color2);
  }

  // Adds a stop; offsets are clamped to 0 to 1 and kept sorted.
  void addColorStop(double offset, const CColor& color);
  const std::vector<ColorStop>& getColorStops() const { return stops_; }

#if !defined(_WIN32)
  // A new cairo linear pattern from start to end (caller destroys it), with
  // every stop's alpha scaled by alpha.
  cairo_pattern_t* createLinearPattern(const CPoint& start, const CPoint& end,
                                       double alpha = 1.0) const;
#endif

 private:
  std::vector<ColorStop> stops_;
};

}  // namespace gui
