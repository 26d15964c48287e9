// A note-offset slider: an invisible strip along a rail above the keyboard.
// Clicking or dragging puts the section's needle (drawn by the note-offset
// display) under the pointer.
#pragma once

#include <cstdint>

#include "editor/section_control.h"

class Slider : public SectionControl {
 public:
  // The pointer range that spans the value range.
  static constexpr double kLeftmost = 55;
  static constexpr double kRightmost = 972;

  Slider(const gui::CRect& size, gui::IControlListener* listener, int32_t tag, int section);
  Slider(const Slider& other) = default;
  gui::CView* newCopy() const override { return new Slider(*this); }

  void draw(gui::CDrawContext* context) override;
  gui::CMouseEventResult onMouseDown(gui::CPoint& where, const gui::CButtonState& buttons) override;
  gui::CMouseEventResult onMouseUp(gui::CPoint& where, const gui::CButtonState& buttons) override;
  gui::CMouseEventResult onMouseMoved(gui::CPoint& where,
                                      const gui::CButtonState& buttons) override;
  gui::CMouseEventResult onMouseEntered(gui::CPoint& where,
                                        const gui::CButtonState& buttons) override;
  gui::CMouseEventResult onMouseExited(gui::CPoint& where,
                                       const gui::CButtonState& buttons) override;

  double getNeedlePosition() const { return needleX_; }

 private:
  void moveTo(double x);

  bool dragging_ = false;
  double lastX_ = -1;
  double needleX_ = kLeftmost;
};
