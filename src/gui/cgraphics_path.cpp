#include "gui/cgraphics_path.h"

#include <algorithm>

namespace gui {

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

}  // namespace gui
