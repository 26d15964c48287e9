// What the editor's controls share: reaching the editor they report to,
// the pointer shape, and the edit gesture around one reported change.
#pragma once

#include <cmath>

#include "gui/cbutton_state.h"
#include "gui/ccontrol.h"
#include "gui/cframe.h"

class QuaGui;

namespace editor {

// The editor a control reports to, or null (a control used on its own).
QuaGui* editorOf(const gui::CControl* control);

inline void setCursor(gui::CView* view, gui::CCursorType type) {
  if (gui::CFrame* frame = view->getFrame()) frame->setCursor(type);
}

inline void setCursorVisible(gui::CView* view, bool visible) {
  if (gui::CFrame* frame = view->getFrame()) frame->setCursorVisible(visible);
}

// beginEdit, valueChanged, endEdit: one change the host records as one
// automation gesture.
inline void reportEdit(gui::CControl* control) {
  control->beginEdit();
  control->valueChanged();
  control->endEdit();
}

inline double squaredDistance(const gui::CPoint& a, const gui::CPoint& b) {
  const double dx = a.x - b.x, dy = a.y - b.y;
  return dx * dx + dy * dy;
}

// A knob's wheel: one increment per notch, a hundredth of it with Shift.
inline bool turnByWheel(gui::CControl* control, float distance, const gui::CButtonState& buttons) {
  if (!control->getMouseEnabled()) return false;
  const float increment = control->getWheelInc();
  const float step = (buttons & gui::kShift) ? 0.01f * increment : increment;
  control->setValue(control->getValue() + distance * step);
  reportEdit(control);
  control->invalid();
  return true;
}

// Wheel distances arrive in notches; only their sign matters for stepped
// controls.
inline float signOf(float distance) { return distance > 0 ? 1.0f : (distance < 0 ? -1.0f : 0.0f); }

}  // namespace editor
