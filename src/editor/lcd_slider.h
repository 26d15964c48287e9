// A microtuning slider on the page's screen: a bar that fills with the
// value (from the top when inverted, for the bend-down depths). Black-key
// sliders are drawn darker. While the pointer is over it the microtuning
// display shows what its value means.
#pragma once

#include "gui/ccontrol.h"

class LCDSlider : public gui::CControl {
 public:
  LCDSlider(const gui::CRect& size, gui::IControlListener* listener, int32_t tag, bool blackKey);
  LCDSlider(const LCDSlider& other) = default;
  gui::CView* newCopy() const override { return new LCDSlider(*this); }

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

  void setInverted(bool state) { inverted_ = state; }
  bool isInverted() const { return inverted_; }
  bool isBlackKey() const { return blackKey_; }
  bool isHovered() const { return hover_; }

 private:
  bool hover_ = false;
  bool blackKey_;
  bool dragging_ = false;
  bool fine_ = false;
  bool inverted_ = false;
  float startValue_ = 0;
  double anchorY_ = 0;
  gui::CRect rect_;
};
