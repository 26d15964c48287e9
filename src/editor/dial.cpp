#include "editor/dial.h"

#include <cmath>

#include "editor/control_support.h"
#include "editor/map_dial.h"
#include "editor/qua_gui.h"

Dial::Dial(const gui::CRect& size, gui::IControlListener* listener, int32_t tag, int section,
           int readout, float wheelIncrement)
    : SectionControl(size, listener, tag, section, readout),
      grabRadius2_(static_cast<float>((0.4 * size.getWidth()) * (0.4 * size.getWidth()))),
      rect_(size) {
  setWheelInc(wheelIncrement);
}

void Dial::setCommitOnRelease(bool state) { commitOnRelease_ = state; }

void Dial::draw(gui::CDrawContext* context) {
  const int width = static_cast<int>(std::lround(rect_.getWidth()));
  const int height = static_cast<int>(std::lround(rect_.getHeight()));
  auto* face = new map_Dial(width, 120);
  face->generate(context, rect_, rect_.getTopLeft(), width, height, getValue(), hover_);
  face->forget();
  setDirty(false);
}

void Dial::trackHover(const gui::CPoint& where) {
  if (editor::squaredDistance(where, rect_.getCenter()) < grabRadius2_) {
    editor::setCursor(this, gui::kCursorSizeAll);
    showReadout();
    hover_ = true;
    invalid();
  } else if (!drag_.active()) {
    editor::setCursor(this, gui::kCursorDefault);
    hover_ = false;
    invalid();
  }
}

gui::CMouseEventResult Dial::onMouseMoved(gui::CPoint& where, const gui::CButtonState& buttons) {
  trackHover(where);
  if (drag_.active()) dragTo(where, buttons);
  return gui::kMouseEventHandled;
}

gui::CMouseEventResult Dial::onMouseEntered(gui::CPoint& where, const gui::CButtonState&) {
  trackHover(where);
  return gui::kMouseEventHandled;
}

void Dial::dragTo(const gui::CPoint& where, const gui::CButtonState& buttons) {
  beginEdit();
  float value;
  if (drag_.follow(where, (buttons & gui::kShift) != 0, getValue(), value)) {
    setValue(value);
    if (!commitOnRelease_) valueChanged();
    invalid();
  }
  endEdit();
}

gui::CMouseEventResult Dial::onMouseDown(gui::CPoint& where, const gui::CButtonState&) {
  if (!hover_) return gui::kMouseEventHandled;
  drag_.start(where, getValue());
  editor::setCursorVisible(this, false);
  beginEdit();
  endEdit();
  return gui::kMouseEventHandled;
}

gui::CMouseEventResult Dial::onMouseUp(gui::CPoint&, const gui::CButtonState&) {
  const bool dragged = drag_.active();
  drag_.stop();
  if (commitOnRelease_ && dragged) valueChanged();
  return gui::kMouseEventHandled;
}

gui::CMouseEventResult Dial::onMouseExited(gui::CPoint&, const gui::CButtonState&) {
  editor::setCursor(this, gui::kCursorDefault);
  showReadout();
  hover_ = false;
  setDirty(true);
  return gui::kMouseEventHandled;
}

bool Dial::onWheel(const gui::CPoint&, const float& distance, const gui::CButtonState& buttons) {
  return editor::turnByWheel(this, distance, buttons);
}
