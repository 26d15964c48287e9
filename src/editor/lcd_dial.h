// A dial on a page's screen: a drawn knob with an arc for the value, its
// label on the left and its value text (written by the editor) in a box on
// the right.
#pragma once

#include "editor/knob_drag.h"
#include "gui/ccontrol.h"

class LCDDial : public gui::CControl {
 public:
  static constexpr int kTextCapacity = 26;

  LCDDial(const gui::CRect& size, gui::IControlListener* listener, int32_t tag);
  LCDDial(const LCDDial& other) = default;
  gui::CView* newCopy() const override { return new LCDDial(*this); }

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

  // Both keep at most 26 characters; the label is right-aligned on a grid
  // of ten characters.
  void setLabel(const char* text);
  void setValueText(const char* text);
  const char* getLabel() const { return label_; }
  const char* getValueText() const { return valueText_; }
  int getLabelOffset() const { return labelOffset_; }
  gui::CPoint getKnobCentre() const { return knobCentre_; }
  bool isHovered() const { return hover_; }

 private:
  void trackHover(const gui::CPoint& where);
  void dragTo(const gui::CPoint& where, const gui::CButtonState& buttons);

  bool hover_ = false;
  bool inverted_ = false;
  char label_[kTextCapacity + 1] = "";
  int labelOffset_ = 10;
  char valueText_[kTextCapacity + 1] = "0.518 s";
  float grabRadius2_;
  gui::CPoint knobCentre_;
  editor::KnobDrag drag_;
  gui::CRect rect_;
};
