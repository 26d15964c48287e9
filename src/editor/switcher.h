// A sliding switch of n steps: a ridged slab that sits 12 pixels further
// right per step, moved by dragging sideways or by the wheel.
#pragma once

#include <cstdint>

#include "editor/section_control.h"

class Switcher : public SectionControl {
 public:
  static constexpr double kStepOffset = 12;

  Switcher(const gui::CRect& size, gui::IControlListener* listener, int32_t tag, int section,
           int readout, int steps);
  Switcher(const Switcher& other) = default;
  gui::CView* newCopy() const override { return new Switcher(*this); }

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

  int getSteps() const { return steps_; }

 private:
  int steps_;
  bool dragging_ = false;
  float startValue_ = 0;
  gui::CPoint anchor_;
  gui::CRect rect_;
};
