#include "editor/slider.h"

#include <algorithm>

#include "editor/control_support.h"
#include "editor/qua_gui.h"

Slider::Slider(const gui::CRect& size, gui::IControlListener* listener, int32_t tag, int section)
    : SectionControl(size, listener, tag, section, 1) {}

// The needle display draws the position; the strip itself is invisible.
void Slider::draw(gui::CDrawContext*) { setDirty(false); }

void Slider::moveTo(double x) {
  needleX_ = std::clamp(x, kLeftmost, kRightmost);
  lastX_ = x;
  setValue(static_cast<float>((needleX_ - kLeftmost) / (kRightmost - kLeftmost)));
  editor::reportEdit(this);
}

gui::CMouseEventResult Slider::onMouseDown(gui::CPoint& where, const gui::CButtonState&) {
  dragging_ = true;
  moveTo(where.x);
  return gui::kMouseEventHandled;
}

gui::CMouseEventResult Slider::onMouseMoved(gui::CPoint& where, const gui::CButtonState&) {
  if (dragging_ && where.x != lastX_) moveTo(where.x);
  return gui::kMouseEventHandled;
}

gui::CMouseEventResult Slider::onMouseUp(gui::CPoint&, const gui::CButtonState&) {
  dragging_ = false;
  return gui::kMouseEventHandled;
}

gui::CMouseEventResult Slider::onMouseEntered(gui::CPoint&, const gui::CButtonState&) {
  editor::setCursor(this, gui::kCursorHSize);
  if (QuaGui* editor = editor::editorOf(this)) {
    editor->showReadout(section_, readout_);
    editor->highlightNeedle(section_);
  }
  return gui::kMouseEventHandled;
}

gui::CMouseEventResult Slider::onMouseExited(gui::CPoint&, const gui::CButtonState&) {
  editor::setCursor(this, gui::kCursorDefault);
  if (QuaGui* editor = editor::editorOf(this)) {
    editor->showReadout(section_, readout_);
    editor->highlightNeedle(0);
  }
  return gui::kMouseEventHandled;
}
