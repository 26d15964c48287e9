#include "editor/lcd_dial.h"

#include <cstdio>
#include <cstring>

#include "editor/control_support.h"
#include "editor/ink.h"
#include "gui/cgraphics_path.h"

LCDDial::LCDDial(const gui::CRect& size, gui::IControlListener* listener, int32_t tag)
    : CControl(size, listener, tag),
      grabRadius2_(static_cast<float>((0.4 * size.getHeight()) * (0.4 * size.getHeight()))),
      knobCentre_(size.left + size.getHeight() / 2 + 90, size.top + size.getHeight() / 2),
      rect_(size) {
  setWheelInc(0.001f);
}

void LCDDial::setLabel(const char* text) {
  std::snprintf(label_, sizeof label_, "%s", text ? text : "");
  labelOffset_ = 10 - static_cast<int>(std::strlen(label_));
  invalid();
}

void LCDDial::setValueText(const char* text) {
  std::snprintf(valueText_, sizeof valueText_, "%s", text ? text : "");
  setDirty(true);
}

void LCDDial::draw(gui::CDrawContext* context) {
  const double h = hover_ ? 1 : 0;
  const double diameter = rect_.getHeight() - 2 * h - 6;
  const gui::CRect knob(rect_.left + h + 93, rect_.top + h + 3, rect_.left + h + 93 + diameter,
                        rect_.top + h + 3 + diameter);
  const gui::CPoint centre = knob.getCenter();
  context->setDrawMode(gui::kAntiAliasing);
  context->setLineWidth(h + 1);
  context->setFrameColor(editor::ink(60 * h + 100));
  context->drawEllipse(knob, gui::kDrawStroked);
  context->setFillColor(editor::ink(20 * h + 5));
  context->drawEllipse(knob, gui::kDrawFilled);

  context->setLineWidth(1);
  context->drawLine(gui::CPoint(knob.left + 5, knob.bottom - 5), centre);

  // The value arc runs clockwise from the lower left over three quarters.
  context->setFrameColor(editor::ink(75 * (h + 1)));
  const double value = inverted_ ? 1 - getValue() : getValue();
  if (value > 0) {
    gui::CGraphicsPath* path = context->createGraphicsPath();
    path->addArc(knob, 135, 135 + 270 * value, true);
    context->drawGraphicsPath(path, gui::kPathStroked);
    path->forget();
  }

  context->setLineWidth(2);
  const gui::CRect box(knobCentre_.x + 14, knobCentre_.y - 10, rect_.right - 1, knobCentre_.y + 10);
  context->drawRect(box, gui::kDrawStroked);

  editor::drawText(context, label_, rect_.left + 10 * labelOffset_, rect_.top + 26, 14,
                   editor::ink(160));
  editor::drawText(context, valueText_, rect_.left + 135, rect_.top + 26, 14, editor::ink(160));
  context->setLineWidth(1);
  setDirty(false);
}

void LCDDial::trackHover(const gui::CPoint& where) {
  if (editor::squaredDistance(where, knobCentre_) < grabRadius2_) {
    editor::setCursor(this, gui::kCursorSizeAll);
    hover_ = true;
    invalid();
  } else if (!drag_.active()) {
    editor::setCursor(this, gui::kCursorDefault);
    if (hover_) invalid();
    hover_ = false;
  }
}

void LCDDial::dragTo(const gui::CPoint& where, const gui::CButtonState& buttons) {
  beginEdit();
  float value;
  if (drag_.follow(where, (buttons & gui::kShift) != 0, getValue(), value)) {
    setValue(value);
    valueChanged();
    invalid();
  }
  endEdit();
}

gui::CMouseEventResult LCDDial::onMouseMoved(gui::CPoint& where, const gui::CButtonState& buttons) {
  trackHover(where);
  if (drag_.active()) dragTo(where, buttons);
  return gui::kMouseEventHandled;
}

gui::CMouseEventResult LCDDial::onMouseEntered(gui::CPoint& where, const gui::CButtonState&) {
  trackHover(where);
  return gui::kMouseEventHandled;
}

gui::CMouseEventResult LCDDial::onMouseDown(gui::CPoint& where, const gui::CButtonState&) {
  if (!hover_) return gui::kMouseEventHandled;
  drag_.start(where, getValue());
  editor::setCursorVisible(this, false);
  beginEdit();
  endEdit();
  return gui::kMouseEventHandled;
}

gui::CMouseEventResult LCDDial::onMouseUp(gui::CPoint&, const gui::CButtonState&) {
  drag_.stop();
  return gui::kMouseEventHandled;
}

gui::CMouseEventResult LCDDial::onMouseExited(gui::CPoint&, const gui::CButtonState&) {
  editor::setCursor(this, gui::kCursorDefault);
  hover_ = false;
  invalid();
  return gui::kMouseEventHandled;
}

bool LCDDial::onWheel(const gui::CPoint&, const float& distance, const gui::CButtonState& buttons) {
  return editor::turnByWheel(this, distance, buttons);
}
