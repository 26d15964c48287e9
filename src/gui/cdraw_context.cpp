// The drawing context's state, the same for every drawing backend.
#include "gui/cdraw_context.h"

#include <algorithm>
#include <cmath>

#include "gui/cgraphics_path.h"
#include "gui/finite_geometry.h"

namespace gui {

void CDrawContext::setLineWidth(double width) {
  state_.lineWidth = (std::isfinite(width) && width > 0.0) ? width : 1.0;
}

void CDrawContext::setFont(const CFontDesc* font, double size, int32_t style) {
  if (!font) return;
  state_.font = *font;
  if (size > 0.0) state_.font.setSize(size);
  if (style >= 0) state_.font.setStyle(style);
}

void CDrawContext::setGlobalAlpha(float alpha) {
  state_.globalAlpha = std::isfinite(alpha) ? std::clamp(alpha, 0.f, 1.f) : 1.f;
}

void CDrawContext::setClipRect(const CRect& clip) {
  if (!finiteRect(clip)) return;
  CRect r = clip;
  r.normalize();
  r.offset(state_.offset);
  state_.clip = r;
}

CRect CDrawContext::getClipRect() const {
  CRect r = state_.clip;
  r.offset(-state_.offset.x, -state_.offset.y);
  return r;
}

void CDrawContext::resetClipRect() { state_.clip = surfaceRect_; }

bool CDrawContext::isInUpdateRegion(const CRect& rect) const {
  if (updateRegion_.empty()) return true;
  CRect r = rect;
  r.offset(state_.offset);
  for (const CRect& area : updateRegion_)
    if (area.rectOverlap(r)) return true;
  return false;
}

void CDrawContext::saveGlobalState() { stack_.push_back(state_); }

void CDrawContext::restoreGlobalState() {
  if (stack_.empty()) return;
  state_ = stack_.back();
  stack_.pop_back();
}

CGraphicsPath* CDrawContext::createGraphicsPath() { return new CGraphicsPath(); }

void CDrawContext::drawString(const char* utf8, const CRect& rect, CHoriTxtAlign align,
                              bool antialias) {
  if (!utf8 || !*utf8 || !finiteRect(rect)) return;
  const double width = getStringWidth(utf8);
  double ascent = 0.0, descent = 0.0;
  fontExtents(ascent, descent);
  double x = rect.left;
  if (align == kCenterText)
    x = rect.left + (rect.getWidth() - width) / 2.0;
  else if (align == kRightText)
    x = rect.right - width;
  const double baseline = rect.top + (rect.getHeight() + ascent - descent) / 2.0;
  // Keep the text inside the rectangle like a label would.
  saveGlobalState();
  CRect clip = getClipRect();
  clip.bound(rect);
  setClipRect(clip);
  drawString(utf8, CPoint(std::round(x), std::round(baseline)), antialias);
  restoreGlobalState();
}

}  // namespace gui
