// Replaying a path into a GDI+ path (Windows). GDI+ has no "move to": the
// current point is tracked here, and a new figure starts where cairo would
// start a new subpath.
#include <algorithm>
#include <cmath>

#include "gui/cgraphics_path.h"
#include "gui/gdiplus_win32.h"

namespace gui {

namespace {

constexpr double kDegToRad = 3.14159265358979323846 / 180.0;

Gdiplus::REAL f(double v) { return static_cast<Gdiplus::REAL>(v); }

// The sweep from start to end in the given direction, as cairo_arc and
// cairo_arc_negative take it (a full turn at most).
double sweepOf(double start, double end, bool clockwise) {
  double sweep = clockwise ? end - start : start - end;
  if (sweep < 0.0) sweep = 360.0 - std::fmod(-sweep, 360.0);
  if (sweep > 360.0) sweep = 360.0;
  return clockwise ? sweep : -sweep;
}

CPoint pointOnEllipse(const CRect& r, double angle) {
  const double rx = r.getWidth() / 2.0;
  const double ry = r.getHeight() / 2.0;
  return CPoint(r.left + rx + rx * std::cos(angle * kDegToRad),
                r.top + ry + ry * std::sin(angle * kDegToRad));
}

}  // namespace

void CGraphicsPath::replay(void* gdiplusPath, const CPoint& o) const {
  auto* path = static_cast<Gdiplus::GpPath*>(gdiplusPath);
  if (!path) return;
  bool hasPoint = false;
  CPoint current;
  CPoint figureStart;
  auto moveTo = [&](const CPoint& p) {
    gdip::GdipStartPathFigure(path);
    current = figureStart = p;
    hasPoint = true;
  };
  for (const Element& e : elements_) {
    CRect r = e.rect;
    r.offset(o);
    switch (e.kind) {
      case Kind::kArc: {
        if (!(r.getWidth() > 0.0) || !(r.getHeight() > 0.0)) break;
        const double sweep = sweepOf(e.a, e.b, e.clockwise);
        const CPoint start = pointOnEllipse(r, e.a);
        if (hasPoint)
          gdip::GdipAddPathLine(path, f(current.x), f(current.y), f(start.x), f(start.y));
        else
          moveTo(start);
        gdip::GdipAddPathArc(path, f(r.left), f(r.top), f(r.getWidth()), f(r.getHeight()), f(e.a),
                             f(sweep));
        current = pointOnEllipse(r, e.a + sweep);
        break;
      }
      case Kind::kEllipse:
        if (!(r.getWidth() > 0.0) || !(r.getHeight() > 0.0)) break;
        gdip::GdipStartPathFigure(path);
        gdip::GdipAddPathEllipse(path, f(r.left), f(r.top), f(r.getWidth()), f(r.getHeight()));
        current = figureStart = pointOnEllipse(r, 0.0);
        hasPoint = true;
        break;
      case Kind::kRect: {
        CRect n = r;
        n.normalize();
        gdip::GdipStartPathFigure(path);
        gdip::GdipAddPathRectangle(path, f(n.left), f(n.top), f(n.getWidth()), f(n.getHeight()));
        current = figureStart = r.getTopLeft();
        hasPoint = true;
        break;
      }
      case Kind::kRoundRect: {
        const double radius =
            std::clamp(e.a, 0.0, std::min(std::fabs(r.getWidth()), std::fabs(r.getHeight())) / 2.0);
        gdip::GdipStartPathFigure(path);
        if (!(radius > 0.0)) {
          CRect n = r;
          n.normalize();
          gdip::GdipAddPathRectangle(path, f(n.left), f(n.top), f(n.getWidth()), f(n.getHeight()));
          current = figureStart = r.getTopLeft();
          hasPoint = true;
          break;
        }
        const double d = 2.0 * radius;
        gdip::GdipAddPathArc(path, f(r.right - d), f(r.top), f(d), f(d), -90.0f, 90.0f);
        gdip::GdipAddPathArc(path, f(r.right - d), f(r.bottom - d), f(d), f(d), 0.0f, 90.0f);
        gdip::GdipAddPathArc(path, f(r.left), f(r.bottom - d), f(d), f(d), 90.0f, 90.0f);
        gdip::GdipAddPathArc(path, f(r.left), f(r.top), f(d), f(d), 180.0f, 90.0f);
        gdip::GdipClosePathFigure(path);
        current = figureStart = CPoint(r.right - radius, r.top);
        hasPoint = true;
        break;
      }
      case Kind::kLine: {
        const CPoint end(e.p1.x + o.x, e.p1.y + o.y);
        if (hasPoint)
          gdip::GdipAddPathLine(path, f(current.x), f(current.y), f(end.x), f(end.y));
        else
          moveTo(end);
        current = end;
        break;
      }
      case Kind::kCurve: {
        const CPoint c1(e.p1.x + o.x, e.p1.y + o.y);
        const CPoint c2(e.p2.x + o.x, e.p2.y + o.y);
        const CPoint end(e.p3.x + o.x, e.p3.y + o.y);
        if (!hasPoint) moveTo(c1);
        gdip::GdipAddPathBezier(path, f(current.x), f(current.y), f(c1.x), f(c1.y), f(c2.x),
                                f(c2.y), f(end.x), f(end.y));
        current = end;
        break;
      }
      case Kind::kBegin:
        moveTo(CPoint(e.p1.x + o.x, e.p1.y + o.y));
        break;
      case Kind::kClose:
        gdip::GdipClosePathFigure(path);
        // As in cairo, drawing goes on from the closed figure's start.
        if (hasPoint) moveTo(figureStart);
        break;
    }
  }
}

}  // namespace gui
