#include "gui/cview.h"

#include <algorithm>
#include <cmath>

#include "gui/cview_container.h"

namespace gui {

CView::CView(const CRect& size) : size_(size), mouseableArea_(size) {}

CView::CView(const CView& other)
    : CBaseObject(other),
      size_(other.size_),
      mouseableArea_(other.mouseableArea_),
      parent_(nullptr),
      alpha_(other.alpha_),
      dirty_(true),
      visible_(other.visible_),
      mouseEnabled_(other.mouseEnabled_),
      wantsFocus_(other.wantsFocus_),
      wantsIdle_(other.wantsIdle_) {}

CView::~CView() = default;

void CView::draw(CDrawContext*) { setDirty(false); }

void CView::drawRect(CDrawContext* context, const CRect&) { draw(context); }

void CView::invalidRect(const CRect& rect) {
  if (auto* container = dynamic_cast<CViewContainer*>(parent_)) container->invalidChildRect(rect);
}

void CView::setAlphaValue(float alpha) {
  alpha_ = std::isfinite(alpha) ? std::clamp(alpha, 0.f, 1.f) : 1.f;
  invalid();
}

CMouseEventResult CView::onMouseDown(CPoint&, const CButtonState&) {
  return kMouseEventNotImplemented;
}
CMouseEventResult CView::onMouseUp(CPoint&, const CButtonState&) {
  return kMouseEventNotImplemented;
}
CMouseEventResult CView::onMouseMoved(CPoint&, const CButtonState&) {
  return kMouseEventNotImplemented;
}
CMouseEventResult CView::onMouseEntered(CPoint&, const CButtonState&) {
  return kMouseEventNotImplemented;
}
CMouseEventResult CView::onMouseExited(CPoint&, const CButtonState&) {
  return kMouseEventNotImplemented;
}
bool CView::onWheel(const CPoint&, const float&, const CButtonState&) { return false; }
int32_t CView::onKeyDown(VstKeyCode&) { return -1; }
int32_t CView::onKeyUp(VstKeyCode&) { return -1; }

void CView::setViewSize(const CRect& rect, bool invalidate) {
  if (rect == size_) return;
  if (invalidate && visible_) invalidRect(size_);
  const bool areaFollows = mouseableArea_ == size_;
  const CPoint shift = rect.getTopLeft() - size_.getTopLeft();
  size_ = rect;
  if (areaFollows)
    mouseableArea_ = rect;
  else
    mouseableArea_.offset(shift);
  if (invalidate) {
    if (visible_) invalidRect(size_);
    setDirty(true);
  }
}

void CView::setVisible(bool state) {
  if (visible_ == state) return;
  // The area is redrawn either way: showing draws the view, hiding the
  // background and views underneath.
  visible_ = state;
  invalidRect(size_);
  if (state) setDirty(true);
}

CFrame* CView::getFrame() const { return parent_ ? parent_->getFrame() : nullptr; }

CPoint& CView::localToFrame(CPoint& point) const {
  for (CView* p = parent_; p; p = p->getParentView())
    if (auto* container = dynamic_cast<CViewContainer*>(p)) point += container->getChildOrigin();
  return point;
}

CPoint& CView::frameToLocal(CPoint& point) const {
  for (CView* p = parent_; p; p = p->getParentView())
    if (auto* container = dynamic_cast<CViewContainer*>(p)) point -= container->getChildOrigin();
  return point;
}

CRect CView::localToFrame(const CRect& rect) const {
  CPoint origin;
  localToFrame(origin);
  CRect r = rect;
  return r.offset(origin);
}

}  // namespace gui
