// The relief of the editor panel: where every plate, groove, dome and boss
// sits on the 1024 x 480 frame. The positions follow the editor's views, so
// each control sits on its own piece of relief.
#pragma once

#include "editor/relief_maps.h"
#include "editor/relief_primitives.h"

namespace editor {

// The fold-out page area under the tab row (edges, including its bevel).
constexpr ReliefRect kPageArea{68, 476, 200, 952};

// Draws every element over a base texture already in the height map, in
// layering order, with the page area closed.
void drawReliefLayout(ReliefMaps& maps);

// Redraws the page area: a recessed, glowing panel when open, the grille of
// the closed state otherwise; then the tab plates that overlap its top, so
// the maps end up exactly as a first build in that state would leave them.
void drawPageArea(ReliefMaps& maps, bool open);

}  // namespace editor
