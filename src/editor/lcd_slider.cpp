#include "editor/lcd_slider.h"

#include "editor/control_support.h"
#include "editor/ink.h"
#include "editor/qua_gui.h"

LCDSlider::LCDSlider(const gui::CRect& size, gui::IControlListener* listener, int32_t tag,
                     bool blackKey)
    : CControl(size, listener, tag), blackKey_(blackKey), rect_(size) {
  setWheelInc(0.001f);
}

void LCDSlider::draw(gui::CDrawContext* context) {
  const double h = hover_ ? 1 : 0;
  const double k = blackKey_ ? 1 : 0;
  gui::CRect body = rect_;
  body.left += h;
  body.top += h;
  context->setDrawMode(gui::kAntiAliasing);
  context->setLineWidth(h + 3);
  context->setFrameColor(editor::ink(80 * k + 30));
  context->drawRect(body, gui::kDrawStroked);
  context->setFillColor(editor::ink(50 * k + 20));
  context->drawRect(body, gui::kDrawFilled);

  context->setLineWidth(1);
  context->setFrameColor(editor::ink(60));
  const double middle = (rect_.top + rect_.bottom) / 2 - 1;
  context->drawLine(gui::CPoint(rect_.left, middle), gui::CPoint(rect_.right, middle));

  const double v = inverted_ ? 1 - getValue() : getValue();
  const double y = rect_.bottom - (rect_.getHeight() - 3) * v - 2;
  context->setLineWidth(3);
  context->setFrameColor(editor::ink(180));
  context->drawLine(gui::CPoint(rect_.left + 2, y), gui::CPoint(rect_.right - 2, y));
  context->setLineWidth(1);
  setDirty(false);
}

gui::CMouseEventResult LCDSlider::onMouseDown(gui::CPoint& where, const gui::CButtonState&) {
  anchorY_ = where.y;
  startValue_ = getValue();
  beginEdit();
  dragging_ = true;
  endEdit();
  return gui::kMouseEventHandled;
}

gui::CMouseEventResult LCDSlider::onMouseMoved(gui::CPoint& where,
                                               const gui::CButtonState& buttons) {
  if (!dragging_) return gui::kMouseEventHandled;
  const double span = rect_.getHeight() - 3;
  double amount = span > 0 ? (anchorY_ - where.y) / span : 0;
  const double sign = inverted_ ? -1 : 1;
  if (buttons & gui::kShift) {
    if (!fine_) {
      fine_ = true;
      startValue_ = static_cast<float>(startValue_ + sign * amount);
      anchorY_ = where.y;
      amount = 0;
    }
    amount *= 0.1;
  } else if (fine_) {
    fine_ = false;
    anchorY_ = where.y;
    startValue_ = getValue();
    return gui::kMouseEventHandled;
  }
  setValue(static_cast<float>(startValue_ + sign * amount));
  editor::reportEdit(this);
  if (QuaGui* editor = editor::editorOf(this)) editor->showMicrotuning(getTag(), getValue());
  invalid();
  return gui::kMouseEventHandled;
}

gui::CMouseEventResult LCDSlider::onMouseUp(gui::CPoint&, const gui::CButtonState&) {
  dragging_ = false;
  fine_ = false;
  return gui::kMouseEventHandled;
}

gui::CMouseEventResult LCDSlider::onMouseEntered(gui::CPoint&, const gui::CButtonState&) {
  editor::setCursor(this, gui::kCursorVSize);
  hover_ = true;
  if (QuaGui* editor = editor::editorOf(this)) editor->showMicrotuning(getTag(), getValue());
  invalid();
  return gui::kMouseEventHandled;
}

gui::CMouseEventResult LCDSlider::onMouseExited(gui::CPoint&, const gui::CButtonState&) {
  editor::setCursor(this, gui::kCursorDefault);
  hover_ = false;
  if (QuaGui* editor = editor::editorOf(this)) editor->hideMicrotuning();
  invalid();
  return gui::kMouseEventHandled;
}

bool LCDSlider::onWheel(const gui::CPoint&, const float& distance,
                        const gui::CButtonState& buttons) {
  if (!getMouseEnabled()) return false;
  float step = distance * getWheelInc();
  if (buttons & gui::kShift) step *= 0.01f;
  setValue(inverted_ ? getValue() - step : getValue() + step);
  editor::reportEdit(this);
  if (QuaGui* editor = editor::editorOf(this)) editor->showMicrotuning(getTag(), getValue());
  invalid();
  return true;
}
