#include "editor/switcher.h"

#include <cmath>

#include "editor/control_support.h"
#include "editor/map_switcher.h"
#include "editor/qua_gui.h"

Switcher::Switcher(const gui::CRect& size, gui::IControlListener* listener, int32_t tag,
                   int section, int readout, int steps)
    : SectionControl(size, listener, tag, section, readout),
      steps_(steps > 0 ? steps : 1),
      rect_(size) {}

void Switcher::draw(gui::CDrawContext* context) {
  const int width = static_cast<int>(0.45 * rect_.getWidth());
  const int height = static_cast<int>(std::lround(rect_.getHeight()));
  const double left = rect_.left + static_cast<int>(steps_ * getValue()) * kStepOffset;
  const gui::CRect slab(left, rect_.top, left + width, rect_.top + height);
  auto* bitmap = new map_Switcher(width, height);
  bitmap->generate(context, slab, slab.getTopLeft(), width, height, getValue(), hover_);
  bitmap->forget();
  setDirty(false);
}

gui::CMouseEventResult Switcher::onMouseDown(gui::CPoint& where, const gui::CButtonState&) {
  anchor_ = where;
  startValue_ = getValue();
  beginEdit();
  dragging_ = true;
  endEdit();
  return gui::kMouseEventHandled;
}

gui::CMouseEventResult Switcher::onMouseMoved(gui::CPoint& where, const gui::CButtonState&) {
  if (!dragging_) return gui::kMouseEventHandled;
  const double stepWidth = rect_.getWidth() / steps_;
  const int steps = static_cast<int>((anchor_.x - where.x) / stepWidth);
  const float value = startValue_ - static_cast<float>(steps) / steps_;
  setValue(value);
  editor::reportEdit(this);
  invalid();
  return gui::kMouseEventHandled;
}

gui::CMouseEventResult Switcher::onMouseUp(gui::CPoint&, const gui::CButtonState&) {
  dragging_ = false;
  return gui::kMouseEventHandled;
}

gui::CMouseEventResult Switcher::onMouseEntered(gui::CPoint&, const gui::CButtonState&) {
  editor::setCursor(this, gui::kCursorHSize);
  showReadout();
  hover_ = true;
  invalid();
  return gui::kMouseEventHandled;
}

gui::CMouseEventResult Switcher::onMouseExited(gui::CPoint&, const gui::CButtonState&) {
  editor::setCursor(this, gui::kCursorDefault);
  showReadout();
  hover_ = false;
  invalid();
  return gui::kMouseEventHandled;
}

bool Switcher::onWheel(const gui::CPoint&, const float& distance, const gui::CButtonState&) {
  if (!getMouseEnabled() || distance == 0) return false;
  setValue(getValue() + editor::signOf(distance) / steps_);
  editor::reportEdit(this);
  invalid();
  return true;
}
