// A view holding child views. It draws its background (colour, then bitmap),
// then its visible children in the order they were added, each clipped to its
// rectangle. Children's rectangles are relative to the container's top-left.
//
// Mouse routing: a mouse down goes to the topmost visible, mouse-enabled
// child under the pointer; that child then receives the moves and the mouse
// up (drag capture) unless it answered
// kMouseDownEventHandledButDontNeedMovedOrUpEvents. Without a capture, moves
// go to the child under the pointer, which is sent onMouseEntered first (and
// the previous one onMouseExited). Wheel events go to the topmost child under
// the pointer that uses them.
#pragma once

#include <vector>

#include "gui/ccolor.h"
#include "gui/cview.h"

namespace gui {

class CBitmap;

class CViewContainer : public CView {
 public:
  explicit CViewContainer(const CRect& size);
  ~CViewContainer() override;
  CViewContainer(const CViewContainer&) = delete;
  CViewContainer& operator=(const CViewContainer&) = delete;

  // Adds a view on top of the others and takes over the caller's reference.
  // False (and nothing taken) for null, the container itself or a view that
  // already has a parent.
  virtual bool addView(CView* view);
  // Adds below `before` (on top when before is not a child).
  virtual bool addView(CView* view, CView* before);
  // Removes a child; with withForget the container's reference is dropped.
  virtual bool removeView(CView* view, bool withForget = true);
  virtual bool removeAll(bool withForget = true);
  bool isChild(const CView* view) const;
  int32_t getNbViews() const { return static_cast<int32_t>(children_.size()); }
  // The child at index in drawing order, or null.
  CView* getView(int32_t index) const;
  // The topmost visible, mouse-enabled child whose mouseable area holds the
  // point (container coordinates); with deep, descends into containers.
  CView* getViewAt(const CPoint& where, bool deep = false) const;

  // The background is remembered; null removes it. Drawn at the container's
  // top-left, unscaled.
  virtual void setBackground(CBitmap* background);
  virtual CBitmap* getBackground() const { return background_; }
  void setBackgroundColor(const CColor& color) { backgroundColor_ = color; }
  const CColor& getBackgroundColor() const { return backgroundColor_; }

  CView* getMouseDownView() const { return mouseDownView_; }
  CView* getMouseOverView() const { return mouseOverView_; }

  // Where the children's coordinate origin lies in this view's own
  // coordinates (the top-left of the view size for plain containers).
  virtual CPoint getChildOrigin() const { return size_.getTopLeft(); }
  // A child asks for a rectangle (container-local coordinates) to be redrawn.
  virtual void invalidChildRect(const CRect& rect);
  // Calls fn for every descendant, depth first, in drawing order.
  template <typename Fn>
  void forEachDescendant(Fn&& fn) const {
    for (CView* child : children_) {
      fn(child);
      if (auto* container = dynamic_cast<CViewContainer*>(child)) container->forEachDescendant(fn);
    }
  }

  void draw(CDrawContext* context) override;
  void drawRect(CDrawContext* context, const CRect& updateRect) override;
  void drawBackgroundRect(CDrawContext* context, const CRect& updateRect);

  CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
  CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
  CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
  CMouseEventResult onMouseExited(CPoint& where, const CButtonState& buttons) override;
  bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) override;

 protected:
  // Forgets references to a view leaving the container (mouse targets).
  virtual void onChildRemoved(CView* view);
  // Sends exit / enter when the child under the pointer changed.
  void updateMouseOver(CView* now, CPoint& local, const CButtonState& buttons);

  std::vector<CView*> children_;
  CBitmap* background_ = nullptr;
  CColor backgroundColor_ = kTransparentCColor;
  CView* mouseDownView_ = nullptr;
  CView* mouseOverView_ = nullptr;
};

}  // namespace gui
