#include "gui/cview_container.h"

#include <algorithm>

#include "gui/cbitmap.h"
#include "gui/cdraw_context.h"
#include "gui/cframe.h"

namespace gui {

namespace {

// Keeps a view alive across a call that may remove it from its container.
class KeepAlive {
 public:
  explicit KeepAlive(CView* view) : view_(view) {
    if (view_) view_->remember();
  }
  ~KeepAlive() {
    if (view_) view_->forget();
  }
  KeepAlive(const KeepAlive&) = delete;
  KeepAlive& operator=(const KeepAlive&) = delete;

 private:
  CView* view_;
};

bool takesMouse(const CView* view) { return view->isVisible() && view->getMouseEnabled(); }

}  // namespace

CViewContainer::CViewContainer(const CRect& size) : CView(size) {}

CViewContainer::~CViewContainer() {
  removeAll(true);
  if (background_) background_->forget();
}

bool CViewContainer::addView(CView* view) { return addView(view, nullptr); }

bool CViewContainer::addView(CView* view, CView* before) {
  if (!view || view == this || view->getParentView()) return false;
  auto at = std::find(children_.begin(), children_.end(), before);
  children_.insert(at, view);
  view->setParentView(this);
  view->setDirty(true);
  view->attached(this);
  if (view->isVisible()) invalidChildRect(view->getViewSize());
  return true;
}

bool CViewContainer::removeView(CView* view, bool withForget) {
  auto at = std::find(children_.begin(), children_.end(), view);
  if (at == children_.end()) return false;
  view->removed(this);
  // removed() may have run code that changed the list.
  at = std::find(children_.begin(), children_.end(), view);
  if (at == children_.end()) return false;
  children_.erase(at);
  onChildRemoved(view);
  if (CFrame* frame = getFrame()) frame->onViewRemoved(view);
  if (view->isVisible()) invalidChildRect(view->getViewSize());
  view->setParentView(nullptr);
  if (withForget) view->forget();
  return true;
}

bool CViewContainer::removeAll(bool withForget) {
  while (!children_.empty()) removeView(children_.back(), withForget);
  return true;
}

bool CViewContainer::isChild(const CView* view) const {
  return std::find(children_.begin(), children_.end(), view) != children_.end();
}

CView* CViewContainer::getView(int32_t index) const {
  if (index < 0 || index >= getNbViews()) return nullptr;
  return children_[static_cast<size_t>(index)];
}

CView* CViewContainer::getViewAt(const CPoint& where, bool deep) const {
  for (auto it = children_.rbegin(); it != children_.rend(); ++it) {
    CView* child = *it;
    if (!takesMouse(child) || !child->getMouseableArea().pointInside(where)) continue;
    if (deep) {
      if (auto* container = dynamic_cast<CViewContainer*>(child)) {
        if (CView* inner = container->getViewAt(where - container->getChildOrigin(), true))
          return inner;
      }
    }
    return child;
  }
  return nullptr;
}

void CViewContainer::setBackground(CBitmap* background) {
  if (background == background_) return;
  if (background) background->remember();
  if (background_) background_->forget();
  background_ = background;
  invalid();
}

void CViewContainer::onChildRemoved(CView* view) {
  if (mouseDownView_ == view) mouseDownView_ = nullptr;
  if (mouseOverView_ == view) mouseOverView_ = nullptr;
}

void CViewContainer::invalidChildRect(const CRect& rect) {
  CRect r = rect;
  r.offset(getChildOrigin());
  CView::invalidRect(r);
}

void CViewContainer::draw(CDrawContext* context) { drawRect(context, getViewSize()); }

void CViewContainer::drawBackgroundRect(CDrawContext* context, const CRect& updateRect) {
  const CPoint origin = getChildOrigin();
  const CRect area(origin.x, origin.y, origin.x + size_.getWidth(), origin.y + size_.getHeight());
  CRect update = updateRect;
  update.bound(area);
  if (update.isEmpty()) return;
  if (backgroundColor_.alpha > 0) {
    context->setFillColor(backgroundColor_);
    context->drawRect(update, kDrawFilled);
  }
  if (background_) {
    context->drawBitmap(background_, update, update.getTopLeft() - area.getTopLeft());
  }
}

void CViewContainer::drawRect(CDrawContext* context, const CRect& updateRect) {
  context->saveGlobalState();
  CRect clip = context->getClipRect();
  clip.bound(updateRect);
  context->setClipRect(clip);
  drawBackgroundRect(context, clip);

  // Children are placed relative to the container's origin.
  const CPoint origin = getChildOrigin();
  CRect localUpdate = clip;
  localUpdate.offset(-origin.x, -origin.y);
  context->setOffset(context->getOffset() + origin);
  const float alpha = context->getGlobalAlpha();
  // Copy: drawing code may add or remove views.
  const std::vector<CView*> children = children_;
  for (CView* child : children) {
    if (!child->isVisible() || !isChild(child)) continue;
    CRect childClip = child->getViewSize();
    childClip.bound(localUpdate);
    if (childClip.isEmpty() || !context->isInUpdateRegion(childClip)) continue;
    KeepAlive keep(child);
    context->saveGlobalState();
    context->setClipRect(childClip);
    context->setGlobalAlpha(alpha * child->getAlphaValue());
    child->drawRect(context, childClip);
    context->restoreGlobalState();
  }
  context->restoreGlobalState();
  setDirty(false);
}

void CViewContainer::updateMouseOver(CView* now, CPoint& local, const CButtonState& buttons) {
  if (now == mouseOverView_) return;
  CView* old = mouseOverView_;
  mouseOverView_ = now;
  if (old) {
    KeepAlive keep(old);
    CPoint p = local;
    old->onMouseExited(p, buttons);
  }
  if (now && mouseOverView_ == now) {
    KeepAlive keep(now);
    CPoint p = local;
    now->onMouseEntered(p, buttons);
  }
}

CMouseEventResult CViewContainer::onMouseDown(CPoint& where, const CButtonState& buttons) {
  CPoint local = where - getChildOrigin();
  updateMouseOver(getViewAt(local), local, buttons);
  // Copy: handlers may add or remove views.
  const std::vector<CView*> children = children_;
  for (auto it = children.rbegin(); it != children.rend(); ++it) {
    CView* child = *it;
    if (!isChild(child) || !takesMouse(child) || !child->getMouseableArea().pointInside(local))
      continue;
    KeepAlive keep(child);
    CPoint p = local;
    const CMouseEventResult result = child->onMouseDown(p, buttons);
    if (result == kMouseEventNotHandled || result == kMouseEventNotImplemented) continue;
    if (result != kMouseDownEventHandledButDontNeedMovedOrUpEvents && isChild(child))
      mouseDownView_ = child;
    return result == kMouseDownEventHandledButDontNeedMovedOrUpEvents ? result : kMouseEventHandled;
  }
  return kMouseEventNotHandled;
}

CMouseEventResult CViewContainer::onMouseUp(CPoint& where, const CButtonState& buttons) {
  CPoint local = where - getChildOrigin();
  CMouseEventResult result = kMouseEventNotHandled;
  if (CView* target = mouseDownView_) {
    mouseDownView_ = nullptr;
    KeepAlive keep(target);
    CPoint p = local;
    result = target->onMouseUp(p, buttons);
  }
  // Hover changes held back during the drag are delivered now.
  updateMouseOver(getViewAt(local), local, buttons);
  return result;
}

CMouseEventResult CViewContainer::onMouseMoved(CPoint& where, const CButtonState& buttons) {
  CPoint local = where - getChildOrigin();
  if (CView* target = mouseDownView_) {
    KeepAlive keep(target);
    CPoint p = local;
    const CMouseEventResult result = target->onMouseMoved(p, buttons);
    return result == kMouseEventNotImplemented ? kMouseEventHandled : result;
  }
  CView* hit = getViewAt(local);
  updateMouseOver(hit, local, buttons);
  if (hit && mouseOverView_ == hit) {
    KeepAlive keep(hit);
    CPoint p = local;
    return hit->onMouseMoved(p, buttons);
  }
  return kMouseEventNotHandled;
}

CMouseEventResult CViewContainer::onMouseExited(CPoint& where, const CButtonState& buttons) {
  // During a drag the captured view keeps getting moves; it leaves on release.
  if (mouseDownView_) return kMouseEventHandled;
  CPoint local = where - getChildOrigin();
  updateMouseOver(nullptr, local, buttons);
  return kMouseEventHandled;
}

bool CViewContainer::onWheel(const CPoint& where, const float& distance,
                             const CButtonState& buttons) {
  const CPoint local = where - getChildOrigin();
  const std::vector<CView*> children = children_;
  for (auto it = children.rbegin(); it != children.rend(); ++it) {
    CView* child = *it;
    if (!isChild(child) || !takesMouse(child) || !child->getMouseableArea().pointInside(local))
      continue;
    KeepAlive keep(child);
    if (child->onWheel(local, distance, buttons)) return true;
  }
  return false;
}

}  // namespace gui
