// The drawing context's primitives on cairo (Linux).
#include "gui/cdraw_context.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>

#include "gui/cbitmap.h"
#include "gui/cgradient.h"
#include "gui/cgraphics_path.h"
#include "gui/finite_geometry.h"
#include "gui/utf8_text.h"

namespace gui {

namespace {

constexpr double kDegToRad = M_PI / 180.0;
// Stands for "no limit" on surfaces whose size cairo does not tell.
constexpr double kUnbounded = 1.0e6;

}  // namespace

CDrawContext::CDrawContext(cairo_surface_t* surface)
    : surface_(cairo_surface_reference(surface)), cr_(cairo_create(surface)) {
  if (surface && cairo_surface_get_type(surface) == CAIRO_SURFACE_TYPE_IMAGE)
    surfaceRect_ = CRect(0, 0, cairo_image_surface_get_width(surface),
                         cairo_image_surface_get_height(surface));
  else
    surfaceRect_ = CRect(0, 0, kUnbounded, kUnbounded);
  state_.clip = surfaceRect_;
}

CDrawContext::~CDrawContext() {
  cairo_destroy(cr_);
  cairo_surface_destroy(surface_);
}

void CDrawContext::endDraw() { cairo_surface_flush(surface_); }

void CDrawContext::beginPrimitive() {
  cairo_save(cr_);
  cairo_new_path(cr_);
  if (!updateRegion_.empty()) {
    for (const CRect& area : updateRegion_)
      cairo_rectangle(cr_, area.left, area.top, area.getWidth(), area.getHeight());
    cairo_clip(cr_);
  }
  const CRect& c = state_.clip;
  cairo_rectangle(cr_, c.left, c.top, std::max(0.0, c.getWidth()), std::max(0.0, c.getHeight()));
  cairo_clip(cr_);
  cairo_translate(cr_, state_.offset.x, state_.offset.y);
  cairo_set_antialias(
      cr_, (state_.drawMode & kAntiAliasing) ? CAIRO_ANTIALIAS_DEFAULT : CAIRO_ANTIALIAS_NONE);
}

void CDrawContext::endPrimitive() {
  cairo_new_path(cr_);
  cairo_restore(cr_);
  // A failed cairo call leaves the context unusable for good; start a fresh
  // one so one bad primitive cannot blank every later drawing.
  if (cairo_status(cr_) != CAIRO_STATUS_SUCCESS) {
    cairo_destroy(cr_);
    cr_ = cairo_create(surface_);
  }
}

void CDrawContext::setSourceColor(const CColor& c) {
  cairo_set_source_rgba(cr_, c.red / 255.0, c.green / 255.0, c.blue / 255.0,
                        c.alpha / 255.0 * state_.globalAlpha);
}

void CDrawContext::applyStroke() {
  cairo_set_line_width(cr_, state_.lineWidth);
  cairo_set_line_cap(cr_, state_.lineCap == kLineCapRound    ? CAIRO_LINE_CAP_ROUND
                          : state_.lineCap == kLineCapSquare ? CAIRO_LINE_CAP_SQUARE
                                                             : CAIRO_LINE_CAP_BUTT);
  setSourceColor(state_.frameColor);
  cairo_stroke_preserve(cr_);
}

void CDrawContext::fillAndStroke(CDrawStyle style) {
  if (style == kDrawFilled || style == kDrawFilledAndStroked) {
    setSourceColor(state_.fillColor);
    cairo_fill_preserve(cr_);
  }
  if (style == kDrawStroked || style == kDrawFilledAndStroked) applyStroke();
}

void CDrawContext::selectFont() {
  cairo_set_font_face(cr_, state_.font.getFontFace());
  cairo_set_font_size(cr_, state_.font.getSize());
}

void CDrawContext::drawLine(const CPoint& start, const CPoint& end) {
  if (!finitePoint(start) || !finitePoint(end)) return;
  beginPrimitive();
  cairo_move_to(cr_, start.x, start.y);
  cairo_line_to(cr_, end.x, end.y);
  applyStroke();
  endPrimitive();
}

void CDrawContext::drawLines(const LineList& lines) {
  for (const auto& line : lines) drawLine(line.first, line.second);
}

void CDrawContext::drawPolygon(const std::vector<CPoint>& points, CDrawStyle style) {
  if (points.size() < 2) return;
  for (const CPoint& p : points)
    if (!finitePoint(p)) return;
  beginPrimitive();
  cairo_move_to(cr_, points[0].x, points[0].y);
  for (size_t i = 1; i < points.size(); ++i) cairo_line_to(cr_, points[i].x, points[i].y);
  // Only filled polygons are closed; a stroked one is the open polyline.
  if (style != kDrawStroked) cairo_close_path(cr_);
  fillAndStroke(style);
  endPrimitive();
}

void CDrawContext::drawRect(const CRect& rect, CDrawStyle style) {
  if (!finiteRect(rect)) return;
  CRect r = rect;
  r.normalize();
  beginPrimitive();
  if (style == kDrawFilled || style == kDrawFilledAndStroked) {
    cairo_rectangle(cr_, r.left, r.top, r.getWidth(), r.getHeight());
    setSourceColor(state_.fillColor);
    cairo_fill(cr_);
  }
  if (style == kDrawStroked || style == kDrawFilledAndStroked) {
    // The outline lies inside the rectangle, so a view's frame stays within
    // the view and 1-pixel lines on whole coordinates are crisp.
    const double half = state_.lineWidth / 2.0;
    CRect s = r;
    s.inset(std::min(half, s.getWidth() / 2.0), std::min(half, s.getHeight() / 2.0));
    cairo_rectangle(cr_, s.left, s.top, s.getWidth(), s.getHeight());
    applyStroke();
  }
  endPrimitive();
}

void CDrawContext::drawEllipse(const CRect& rect, CDrawStyle style) {
  if (!finiteRect(rect)) return;
  CGraphicsPath path;
  CRect r = rect;
  path.addEllipse(r.normalize());
  beginPrimitive();
  path.replay(cr_, CPoint());
  fillAndStroke(style);
  endPrimitive();
}

void CDrawContext::drawArc(const CRect& rect, double startAngle, double endAngle,
                           CDrawStyle style) {
  if (!finiteRect(rect) || !std::isfinite(startAngle) || !std::isfinite(endAngle)) return;
  CGraphicsPath path;
  CRect r = rect;
  path.addArc(r.normalize(), startAngle, endAngle, true);
  beginPrimitive();
  path.replay(cr_, CPoint());
  if (style != kDrawStroked) cairo_close_path(cr_);
  fillAndStroke(style);
  endPrimitive();
}

void CDrawContext::drawPoint(const CPoint& point, const CColor& color) {
  if (!finitePoint(point)) return;
  beginPrimitive();
  cairo_rectangle(cr_, std::floor(point.x), std::floor(point.y), 1.0, 1.0);
  setSourceColor(color);
  cairo_fill(cr_);
  endPrimitive();
}

void CDrawContext::clearRect(const CRect& rect) {
  if (!finiteRect(rect)) return;
  CRect r = rect;
  r.normalize();
  beginPrimitive();
  cairo_set_operator(cr_, CAIRO_OPERATOR_CLEAR);
  cairo_rectangle(cr_, r.left, r.top, r.getWidth(), r.getHeight());
  cairo_fill(cr_);
  endPrimitive();
}

void CDrawContext::drawString(const char* utf8, const CPoint& baselineLeft, bool antialias) {
  if (!utf8 || !*utf8 || !finitePoint(baselineLeft)) return;
  const std::string text = sanitizeUtf8(utf8);
  beginPrimitive();
  selectFont();
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options,
                                   antialias ? CAIRO_ANTIALIAS_GRAY : CAIRO_ANTIALIAS_NONE);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_set_font_options(cr_, options);
  cairo_font_options_destroy(options);
  setSourceColor(state_.fontColor);
  cairo_move_to(cr_, baselineLeft.x, baselineLeft.y);
  cairo_show_text(cr_, text.c_str());
  endPrimitive();
}

void CDrawContext::fontExtents(double& ascent, double& descent) {
  cairo_save(cr_);
  selectFont();
  cairo_font_extents_t font;
  cairo_font_extents(cr_, &font);
  cairo_restore(cr_);
  ascent = font.ascent;
  descent = font.descent;
}

double CDrawContext::getStringWidth(const char* utf8) {
  if (!utf8 || !*utf8) return 0.0;
  const std::string text = sanitizeUtf8(utf8);
  cairo_save(cr_);
  selectFont();
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_set_font_options(cr_, options);
  cairo_font_options_destroy(options);
  cairo_text_extents_t extents;
  cairo_text_extents(cr_, text.c_str(), &extents);
  cairo_restore(cr_);
  if (cairo_status(cr_) != CAIRO_STATUS_SUCCESS) {
    cairo_destroy(cr_);
    cr_ = cairo_create(surface_);
    return 0.0;
  }
  return extents.x_advance;
}

void CDrawContext::drawBitmap(CBitmap* bitmap, const CRect& dest, const CPoint& offset,
                              float alpha) {
  if (!bitmap || !bitmap->isLoaded() || !finiteRect(dest) || !finitePoint(offset)) return;
  if (!std::isfinite(alpha)) return;
  const double a = std::clamp(static_cast<double>(alpha), 0.0, 1.0) * state_.globalAlpha;
  CRect r = dest;
  r.normalize();
  beginPrimitive();
  cairo_rectangle(cr_, r.left, r.top, r.getWidth(), r.getHeight());
  cairo_clip(cr_);
  cairo_set_source_surface(cr_, bitmap->getSurface(), r.left - offset.x, r.top - offset.y);
  cairo_paint_with_alpha(cr_, a);
  endPrimitive();
}

void CDrawContext::drawGraphicsPath(CGraphicsPath* path, PathDrawMode mode) {
  if (!path || path->isEmpty()) return;
  beginPrimitive();
  path->replay(cr_, CPoint());
  if (mode & (kPathFilled | kPathFilledEvenOdd)) {
    cairo_set_fill_rule(
        cr_, (mode & kPathFilledEvenOdd) ? CAIRO_FILL_RULE_EVEN_ODD : CAIRO_FILL_RULE_WINDING);
    setSourceColor(state_.fillColor);
    cairo_fill_preserve(cr_);
  }
  if (mode & kPathStroked) applyStroke();
  endPrimitive();
}

void CDrawContext::fillLinearGradient(CGraphicsPath* path, const CGradient& gradient,
                                      const CPoint& startPoint, const CPoint& endPoint,
                                      bool evenOdd) {
  if (!path || path->isEmpty() || !finitePoint(startPoint) || !finitePoint(endPoint)) return;
  beginPrimitive();
  path->replay(cr_, CPoint());
  cairo_set_fill_rule(cr_, evenOdd ? CAIRO_FILL_RULE_EVEN_ODD : CAIRO_FILL_RULE_WINDING);
  cairo_pattern_t* pattern = gradient.createLinearPattern(startPoint, endPoint, state_.globalAlpha);
  cairo_set_source(cr_, pattern);
  cairo_fill(cr_);
  cairo_pattern_destroy(pattern);
  endPrimitive();
}

}  // namespace gui
