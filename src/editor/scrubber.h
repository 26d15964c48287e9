// The pitch-bend range scrubber: a number of semitones (0 to 12) in a well
// at the left of the keyboard, changed by dragging or by the wheel.
#pragma once

#include "editor/section_control.h"

class Scrubber : public SectionControl {
 public:
  static constexpr int32_t kTag = 44;
  static constexpr int kSection = 4;
  static constexpr int kReadout = 3;

  Scrubber(const gui::CRect& size, gui::IControlListener* listener);
  Scrubber(const Scrubber& other) = default;
  gui::CView* newCopy() const override { return new Scrubber(*this); }

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

 private:
  bool dragging_ = false;
  float startValue_ = 0;
  gui::CPoint anchor_;
  gui::CRect rect_;
};
