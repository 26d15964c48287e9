// The base of everything in a frame: a rectangle in its parent's coordinates
// that draws itself and may take mouse, wheel and key events. Views are
// reference counted (see CBaseObject); a container owns the views added to it.
// Mouse positions handed to a view are in the same coordinates as its view
// size. invalid() only marks the view; the frame redraws marked views on idle.
#pragma once

#include <cstdint>

#include "gui/cbase_object.h"
#include "gui/cbutton_state.h"
#include "gui/crect.h"
#include "vst/aeffect.h"

namespace gui {

class CDrawContext;
class CFrame;
class CViewContainer;

class CView : public CBaseObject {
 public:
  explicit CView(const CRect& size);
  // Copies geometry and flags; the copy has no parent and is dirty.
  CView(const CView& other);
  ~CView() override;

  // A new copy of this view, or null when the class does not support it.
  virtual CView* newCopy() const { return nullptr; }

  // --- Drawing -------------------------------------------------------------
  virtual void draw(CDrawContext* context);
  // Draws the part of the view inside updateRect (view coordinates); the
  // context is already clipped. Views draw fully by default.
  virtual void drawRect(CDrawContext* context, const CRect& updateRect);
  // Marks the view for redraw at the next idle.
  virtual void invalid() { setDirty(true); }
  // Asks the frame to redraw a rectangle given in this view's coordinates.
  virtual void invalidRect(const CRect& rect);
  virtual void setDirty(bool state = true) { dirty_ = state; }
  virtual bool isDirty() const { return dirty_; }
  // 0 to 1; multiplies everything the view draws.
  void setAlphaValue(float alpha);
  float getAlphaValue() const { return alpha_; }

  // --- Mouse, wheel, keys (positions in view-size coordinates) ------------
  virtual CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons);
  virtual CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons);
  virtual CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons);
  virtual CMouseEventResult onMouseEntered(CPoint& where, const CButtonState& buttons);
  virtual CMouseEventResult onMouseExited(CPoint& where, const CButtonState& buttons);
  // distance is in wheel notches, positive for up (or right).
  virtual bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons);
  // -1 when the key was not used, 1 when it was.
  virtual int32_t onKeyDown(VstKeyCode& keyCode);
  virtual int32_t onKeyUp(VstKeyCode& keyCode);

  // --- Focus and idle ------------------------------------------------------
  // Called by the frame when the view becomes or stops being the focus view.
  virtual void takeFocus() {}
  virtual void looseFocus() {}
  void setWantsFocus(bool state) { wantsFocus_ = state; }
  bool wantsFocus() const { return wantsFocus_; }
  // Views that want idle get onIdle() from every frame idle.
  virtual void onIdle() {}
  void setWantsIdle(bool state) { wantsIdle_ = state; }
  bool wantsIdle() const { return wantsIdle_; }

  // --- Geometry ------------------------------------------------------------
  const CRect& getViewSize() const { return size_; }
  CRect& getViewSize(CRect& rect) const { return rect = size_; }
  // Moves or resizes the view; the old and new areas are redrawn when
  // invalid is set. A mouseable area equal to the old size follows it.
  virtual void setViewSize(const CRect& rect, bool invalid = true);
  double getWidth() const { return size_.getWidth(); }
  double getHeight() const { return size_.getHeight(); }
  // The area that receives mouse events (the view size unless set).
  virtual void setMouseableArea(const CRect& rect) { mouseableArea_ = rect; }
  const CRect& getMouseableArea() const { return mouseableArea_; }
  CRect& getMouseableArea(CRect& rect) const { return rect = mouseableArea_; }

  // --- State ---------------------------------------------------------------
  // Hiding or showing redraws the area the view covers.
  virtual void setVisible(bool state);
  bool isVisible() const { return visible_; }
  virtual void setMouseEnabled(bool state) { mouseEnabled_ = state; }
  bool getMouseEnabled() const { return mouseEnabled_; }

  // --- Hierarchy -----------------------------------------------------------
  CView* getParentView() const { return parent_; }
  // The frame this view is shown in, or null while it is not in one.
  virtual CFrame* getFrame() const;
  bool isAttached() const { return getFrame() != nullptr; }
  // Converts between this view's coordinates (those of its view size) and
  // frame coordinates.
  CPoint& localToFrame(CPoint& point) const;
  CPoint& frameToLocal(CPoint& point) const;
  CRect localToFrame(const CRect& rect) const;

  // Set by containers when the view is added or removed.
  void setParentView(CView* parent) { parent_ = parent; }
  // Called by a container right after adding the view and right before
  // removing it (the parent is still set during removed()).
  virtual void attached(CView* parent) { (void)parent; }
  virtual void removed(CView* parent) { (void)parent; }

 protected:
  CRect size_;
  CRect mouseableArea_;

 private:
  CView* parent_ = nullptr;
  float alpha_ = 1.f;
  bool dirty_ = true;
  bool visible_ = true;
  bool mouseEnabled_ = true;
  bool wantsFocus_ = false;
  bool wantsIdle_ = false;
};

}  // namespace gui
