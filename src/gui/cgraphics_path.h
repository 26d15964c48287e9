// A vector path made of subpaths of lines, arcs and curves. Angles are in
// degrees, 0 at 3 o'clock, growing clockwise on screen. The path stores its
// elements and is replayed into the drawing backend's path when drawn, so one path can be
// drawn into any context.
#pragma once

#include <vector>

#include "gui/cbase_object.h"
#include "gui/cpoint.h"
#include "gui/crect.h"

#if !defined(_WIN32)
typedef struct _cairo cairo_t;
#endif

namespace gui {

class CGraphicsPath : public CBaseObject {
 public:
  CGraphicsPath() = default;

  // An arc of the ellipse inscribed in rect from startAngle to endAngle,
  // clockwise or anticlockwise. With a current point, a line joins it to the
  // arc's start.
  void addArc(const CRect& rect, double startAngle, double endAngle, bool clockwise);
  // Closed subpaths.
  void addEllipse(const CRect& rect);
  void addRect(const CRect& rect);
  void addRoundRect(const CRect& rect, double radius);
  // A line from the current point (or a new subpath starting at end).
  void addLine(const CPoint& end);
  void addBezierCurve(const CPoint& control1, const CPoint& control2, const CPoint& end);
  void beginSubpath(const CPoint& start);
  void closeSubpath();

  bool isEmpty() const { return elements_.empty(); }
  void clear() { elements_.clear(); }
  // Bounds of the points and rectangles that make the path (control points
  // and whole ellipse rectangles included).
  CRect getBoundingBox() const;

#if defined(_WIN32)
  // Appends the path to a GDI+ path (GpPath*), shifted by offset.
  void replay(void* gdiplusPath, const CPoint& offset) const;
#else
  // Appends the path to the context's current path, shifted by offset.
  void replay(cairo_t* cr, const CPoint& offset) const;
#endif

 private:
  enum class Kind { kArc, kEllipse, kRect, kRoundRect, kLine, kCurve, kBegin, kClose };
  struct Element {
    explicit Element(Kind kind, const CRect& rect = CRect()) : kind(kind), rect(rect) {}
    Kind kind;
    CRect rect;           // arc, ellipse, rectangle, round rectangle
    double a = 0, b = 0;  // arc angles or round radius
    bool clockwise = true;
    CPoint p1, p2, p3;  // line end, curve controls and end, subpath start
  };
  std::vector<Element> elements_;
};

}  // namespace gui
