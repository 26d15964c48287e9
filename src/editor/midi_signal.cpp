#include "editor/midi_signal.h"

#include "gui/cdraw_context.h"

MidiSignal::MidiSignal(const gui::CRect& size) : CView(size), outer(size), inner(size) {
  inner.inset(2, 2);
}

void MidiSignal::light() {
  level = 1;
  setDirty(true);
}

void MidiSignal::draw(gui::CDrawContext* context) {
  setDirty(false);
  if (!(level > 0)) return;
  context->setFillColor(gui::CColor(255, 190, 60, static_cast<uint8_t>(125 * level)));
  context->drawEllipse(outer, gui::kDrawFilled);
  context->drawEllipse(inner, gui::kDrawFilled);
  level -= kFadeStep;
  // Drawn again at the next idle until the light has faded out.
  if (level > 0) setDirty(true);
}
