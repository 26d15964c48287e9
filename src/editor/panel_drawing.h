// Drawing the whole panel background: the lit relief with the text layer
// over it, and installing it as an editor frame's background.
#pragma once

#include "editor/offline_render.h"
#include "gui/ccolor.h"
#include "gui/cdraw_context.h"
#include "gui/cframe.h"
#include "gui/crect.h"

namespace editor {

// Renders the relief into the bitmap with the bitmap's colour, draws it
// into the context at `rect`, then the text layer. False, with nothing
// drawn, when the relief cannot be rendered.
bool drawPanel(Offline_Render* bitmap, gui::CDrawContext* context, const gui::CRect& rect,
               bool pagePanel);

}  // namespace editor

// Renders the panel at the frame's size in the colour (alpha forced to 255)
// and makes it the frame's background. Does nothing for a missing frame, a
// frame smaller than 1 x 1, or when the panel cannot be rendered.
void renderBackground(gui::CFrame* frame, gui::CColor colour, bool pagePanel);
