#include "editor/scrubber.h"

#include <cstdio>

#include "editor/control_support.h"
#include "editor/ink.h"
#include "editor/qua_gui.h"

Scrubber::Scrubber(const gui::CRect& size, gui::IControlListener* listener)
    : SectionControl(size, listener, kTag, kSection, kReadout), rect_(size) {}

void Scrubber::draw(gui::CDrawContext* context) {
  char text[16];
  std::snprintf(text, sizeof text, "%d", static_cast<int>(12 * getValue()));
  // Two-digit numbers start further left to stay inside the well.
  const double x = getValue() < 0.8333f ? 14 : 7;
  editor::drawText(context, text, x, 416, 20, editor::ink(100),
                   hover_ ? gui::kBoldFace : gui::kNormalFace);
  setDirty(false);
}

gui::CMouseEventResult Scrubber::onMouseDown(gui::CPoint& where, const gui::CButtonState&) {
  anchor_ = where;
  startValue_ = getValue();
  editor::setCursorVisible(this, false);
  beginEdit();
  dragging_ = true;
  endEdit();
  return gui::kMouseEventHandled;
}

gui::CMouseEventResult Scrubber::onMouseMoved(gui::CPoint& where, const gui::CButtonState&) {
  if (!dragging_) return gui::kMouseEventHandled;
  const double distance = (where.y - anchor_.y) + (anchor_.x - where.x);
  setValue(static_cast<float>(startValue_ - distance * 0.005));
  editor::reportEdit(this);
  invalid();
  return gui::kMouseEventHandled;
}

gui::CMouseEventResult Scrubber::onMouseUp(gui::CPoint&, const gui::CButtonState&) {
  dragging_ = false;
  return gui::kMouseEventHandled;
}

gui::CMouseEventResult Scrubber::onMouseEntered(gui::CPoint&, const gui::CButtonState&) {
  editor::setCursor(this, gui::kCursorVSize);
  showReadout();
  hover_ = true;
  invalid();
  return gui::kMouseEventHandled;
}

gui::CMouseEventResult Scrubber::onMouseExited(gui::CPoint&, const gui::CButtonState&) {
  editor::setCursor(this, gui::kCursorDefault);
  showReadout();
  hover_ = false;
  invalid();
  return gui::kMouseEventHandled;
}

bool Scrubber::onWheel(const gui::CPoint&, const float& distance, const gui::CButtonState&) {
  if (!getMouseEnabled() || distance == 0) return false;
  setValue(getValue() + editor::signOf(distance) / 12.0f);
  editor::reportEdit(this);
  invalid();
  return true;
}
