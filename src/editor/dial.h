// The panel's knob: a generated dial face turned by dragging up or right,
// fine with Shift, or by the wheel. While the pointer is over its grab
// circle it shows its read-out in its section display. The colour dials
// report only when released, so a drag does not re-render the panel at
// every step.
#pragma once

#include <cstdint>

#include "editor/knob_drag.h"
#include "gui/ccontrol.h"

class Dial : public gui::CControl {
 public:
  Dial(const gui::CRect& size, gui::IControlListener* listener, int32_t tag, int section, int readout,
       float wheelIncrement);
  Dial(const Dial& other) = default;
  gui::CView* newCopy() const override { return new Dial(*this); }

  void draw(gui::CDrawContext* context) override;
  gui::CMouseEventResult onMouseDown(gui::CPoint& where, const gui::CButtonState& buttons) override;
  gui::CMouseEventResult onMouseUp(gui::CPoint& where, const gui::CButtonState& buttons) override;
  gui::CMouseEventResult onMouseMoved(gui::CPoint& where, const gui::CButtonState& buttons) override;
  gui::CMouseEventResult onMouseEntered(gui::CPoint& where, const gui::CButtonState& buttons) override;
  gui::CMouseEventResult onMouseExited(gui::CPoint& where, const gui::CButtonState& buttons) override;
  bool onWheel(const gui::CPoint& where, const float& distance, const gui::CButtonState& buttons) override;

  virtual void setSection(int section);
  virtual void setCommitOnRelease(bool state);

  int getSection() const { return section_; }
  int getReadoutIndex() const { return readout_; }
  bool isCommitOnRelease() const { return commitOnRelease_; }
  bool isHovered() const { return hover_; }
  bool isDragging() const { return drag_.active(); }

 private:
  void trackHover(const gui::CPoint& where);
  void dragTo(const gui::CPoint& where, const gui::CButtonState& buttons);
  void showReadout();

  bool hover_ = false;
  bool commitOnRelease_ = false;
  uint8_t section_;
  uint8_t readout_;
  float grabRadius2_;
  editor::KnobDrag drag_;
  gui::CRect rect_;
};
