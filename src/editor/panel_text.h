// The text layer drawn over the rendered relief: the title, the tab labels,
// the section names, the MIDI label and light ring, the keyboard's lowest
// key name and the rings around the three volume dials. Several colours
// follow the GUI colour.
#pragma once

#include "gui/ccolor.h"
#include "gui/cdraw_context.h"

namespace editor {

// The light (highlight) and dark (engraving) colours of the tab labels and
// section names for a GUI colour.
gui::CColor panelLightColour(gui::CColor gui);
gui::CColor panelDarkColour(gui::CColor gui);

void drawPanelText(gui::CDrawContext* context, gui::CColor gui);

}  // namespace editor
