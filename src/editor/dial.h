// The panel's knob: a generated dial face turned by dragging up or right,
// fine with Shift, or by the wheel. While the pointer is over its grab
// circle it shows its read-out in its section display. The colour dials
// report only when released, so a drag does not re-render the panel at
// every step.
#pragma once

#include <cstdint>

#include "editor/knob_drag.h"
#include "editor/section_control.h"

class Dial : public SectionControl {
 public:
  Dial(const gui::CRect& size, gui::IControlListener* listener, int32_t tag, int section,
       int readout, float wheelIncrement);
  Dial(const Dial& other) = default;
  gui::CView* newCopy() const override { return new Dial(*this); }

  void draw(gui::CDrawContext* context) override;
  gui::CMouseEventResult onMouseDown(gui::CPoint& where, const gui::CButtonState& buttons) override;
  gui::CMouseEventResult onMouseUp(gui::CPoint& where, const gui::CButtonState& buttons) override;
  gui::CMouseEventResult onMouseMoved(gui::CPoint& where,
                                      const gui::CButtonState& buttons) override;
  gui::CMouseEventResult onMouseEntered(gui::CPoint& where,
                                        const gui::CButtonState& buttons) override;
  gui::CMouseEventResult onMouseExited(gui::CPoint& where,
                                       const gui::CButtonState& buttons) override;
  bool onWheel(const gui::CPoint& where, const float& distance,
               const gui::CButtonState& buttons) override;

  virtual void setCommitOnRelease(bool state);

  bool isCommitOnRelease() const { return commitOnRelease_; }
  bool isDragging() const { return drag_.active(); }

 private:
  void trackHover(const gui::CPoint& where);
  void dragTo(const gui::CPoint& where, const gui::CButtonState& buttons);

  bool commitOnRelease_ = false;
  float grabRadius2_;
  editor::KnobDrag drag_;
  gui::CRect rect_;
};
