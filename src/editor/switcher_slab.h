// The slab of a switch: a ridged, light grey block (warmer while hovered)
// lit like the rest of the panel.
#pragma once

#include "editor/pixel_buffer.h"
#include "editor/skin_placement.h"

namespace editor {

// Writes width x height opaque BGRA pixels into the top-left of `out`,
// clipped to it.
void generateSwitcherSlab(const PixelBuffer& out, const SkinPlacement& place, bool hover);

}  // namespace editor
