#include "editor/section_control.h"

#include "editor/control_support.h"
#include "editor/qua_gui.h"

void SectionControl::showReadout() {
  if (QuaGui* editor = editor::editorOf(this)) editor->showReadout(section_, readout_);
}
