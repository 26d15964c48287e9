// Replaying a path into cairo (Linux).
#include <cairo.h>

#include <algorithm>
#include <cmath>

#include "gui/cgraphics_path.h"

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
