#include "gui/cgraphics_path.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>

namespace gui {

namespace {

constexpr double kDegToRad = M_PI / 180.0;

// Appends an elliptic arc in rect; angles in degrees, clockwise on screen.
void ellipticArc(cairo_t* cr, const CRect& r, double start, double end, bool clockwise) {
  const double rx = r.getWidth() / 2.0;
  const double ry = r.getHeight() / 2.0;
  if (!(rx > 0.0) || !(ry > 0.0)) return;
  cairo_matrix_t saved;
  cairo_get_matrix(cr, &saved);
  cairo_translate(cr, r.left + rx, r.top + ry);
  cairo_scale(cr, rx, ry);
  if (clockwise)
    cairo_arc(cr, 0.0, 0.0, 1.0, start * kDegToRad, end * kDegToRad);
  else
    cairo_arc_negative(cr, 0.0, 0.0, 1.0, start * kDegToRad, end * kDegToRad);
  cairo_set_matrix(cr, &saved);
}

}  // namespace

void CGraphicsPath::addArc(const CRect& rect, double startAngle, double endAngle, bool clockwise) {
  Element e(Kind::kArc, rect);
  e.a = startAngle;
  e.b = endAngle;
  e.clockwise = clockwise;
  elements_.push_back(e);
}

void CGraphicsPath::addEllipse(const CRect& rect) {
  elements_.push_back(Element(Kind::kEllipse, rect));
}

void CGraphicsPath::addRect(const CRect& rect) { elements_.push_back(Element(Kind::kRect, rect)); }

void CGraphicsPath::addRoundRect(const CRect& rect, double radius) {
  Element e(Kind::kRoundRect, rect);
  e.a = radius;
  elements_.push_back(e);
}

void CGraphicsPath::addLine(const CPoint& end) {
  Element e(Kind::kLine);
  e.p1 = end;
  elements_.push_back(e);
}

void CGraphicsPath::addBezierCurve(const CPoint& control1, const CPoint& control2,
                                   const CPoint& end) {
  Element e(Kind::kCurve);
  e.p1 = control1;
  e.p2 = control2;
  e.p3 = end;
  elements_.push_back(e);
}

void CGraphicsPath::beginSubpath(const CPoint& start) {
  Element e(Kind::kBegin);
  e.p1 = start;
  elements_.push_back(e);
}

void CGraphicsPath::closeSubpath() { elements_.push_back(Element(Kind::kClose)); }

CRect CGraphicsPath::getBoundingBox() const {
  bool any = false;
  CRect box;
  auto addPoint = [&](const CPoint& p) {
    if (!any) {
      box = CRect(p.x, p.y, p.x, p.y);
      any = true;
      return;
    }
    box.left = std::min(box.left, p.x);
    box.top = std::min(box.top, p.y);
    box.right = std::max(box.right, p.x);
    box.bottom = std::max(box.bottom, p.y);
  };
  for (const Element& e : elements_) {
    switch (e.kind) {
      case Kind::kArc:
      case Kind::kEllipse:
      case Kind::kRect:
      case Kind::kRoundRect:
        addPoint(e.rect.getTopLeft());
        addPoint(e.rect.getBottomRight());
        break;
      case Kind::kLine:
      case Kind::kBegin:
        addPoint(e.p1);
        break;
      case Kind::kCurve:
        addPoint(e.p1);
        addPoint(e.p2);
        addPoint(e.p3);
        break;
      case Kind::kClose:
        break;
    }
  }
  return box;
}

void CGraphicsPath::replay(cairo_t* cr, const CPoint& o) const {
  for (const Element& e : elements_) {
    CRect r = e.rect;
    r.offset(o);
    switch (e.kind) {
      case Kind::kArc:
        ellipticArc(cr, r, e.a, e.b, e.clockwise);
        break;
      case Kind::kEllipse:
        cairo_new_sub_path(cr);
        ellipticArc(cr, r, 0.0, 360.0, true);
        cairo_close_path(cr);
        break;
      case Kind::kRect:
        cairo_rectangle(cr, r.left, r.top, r.getWidth(), r.getHeight());
        break;
      case Kind::kRoundRect: {
        const double radius =
            std::clamp(e.a, 0.0, std::min(std::fabs(r.getWidth()), std::fabs(r.getHeight())) / 2.0);
        if (!(radius > 0.0)) {
          cairo_rectangle(cr, r.left, r.top, r.getWidth(), r.getHeight());
          break;
        }
        cairo_new_sub_path(cr);
        cairo_arc(cr, r.right - radius, r.top + radius, radius, -M_PI / 2.0, 0.0);
        cairo_arc(cr, r.right - radius, r.bottom - radius, radius, 0.0, M_PI / 2.0);
        cairo_arc(cr, r.left + radius, r.bottom - radius, radius, M_PI / 2.0, M_PI);
        cairo_arc(cr, r.left + radius, r.top + radius, radius, M_PI, 1.5 * M_PI);
        cairo_close_path(cr);
        break;
      }
      case Kind::kLine:
        if (cairo_has_current_point(cr))
          cairo_line_to(cr, e.p1.x + o.x, e.p1.y + o.y);
        else
          cairo_move_to(cr, e.p1.x + o.x, e.p1.y + o.y);
        break;
      case Kind::kCurve:
        if (!cairo_has_current_point(cr)) cairo_move_to(cr, e.p1.x + o.x, e.p1.y + o.y);
        cairo_curve_to(cr, e.p1.x + o.x, e.p1.y + o.y, e.p2.x + o.x, e.p2.y + o.y, e.p3.x + o.x,
                       e.p3.y + o.y);
        break;
      case Kind::kBegin:
        cairo_move_to(cr, e.p1.x + o.x, e.p1.y + o.y);
        break;
      case Kind::kClose:
        cairo_close_path(cr);
        break;
    }
  }
}

}  // namespace gui
