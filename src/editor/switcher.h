// A sliding switch of n steps: a ridged slab that sits 12 pixels further
// right per step, moved by dragging sideways or by the wheel.
#pragma once

#include <cstdint>

#include "gui/ccontrol.h"

class Switcher : public gui::CControl {
 public:
  static constexpr double kStepOffset = 12;

  Switcher(const gui::CRect& size, gui::IControlListener* listener, int32_t tag, int section, int readout,
           int steps);
  Switcher(const Switcher& other) = default;
  gui::CView* newCopy() const override { return new Switcher(*this); }

  void draw(gui::CDrawContext* context) override;
  gui::CMouseEventResult onMouseDown(gui::CPoint& where, const gui::CButtonState& buttons) override;
  gui::CMouseEventResult onMouseUp(gui::CPoint& where, const gui::CButtonState& buttons) override;
  gui::CMouseEventResult onMouseMoved(gui::CPoint& where, const gui::CButtonState& buttons) override;
  gui::CMouseEventResult onMouseEntered(gui::CPoint& where, const gui::CButtonState& buttons) override;
  gui::CMouseEventResult onMouseExited(gui::CPoint& where, const gui::CButtonState& buttons) override;
  bool onWheel(const gui::CPoint& where, const float& distance, const gui::CButtonState& buttons) override;

  virtual void setSection(int section);
  int getSection() const { return section_; }
  int getReadoutIndex() const { return readout_; }
  int getSteps() const { return steps_; }
  bool isHovered() const { return hover_; }

 private:
  void showReadout();

  uint8_t section_;
  uint8_t readout_;
  int steps_;
  bool hover_ = false;
  bool dragging_ = false;
  float startValue_ = 0;
  gui::CPoint anchor_;
  gui::CRect rect_;
};
