// The face of a dial: a knurled dome with a dimple showing the value (the
// value 0 points to the lower left, 0.5 up, 1 to the lower right), glowing
// orange at its rim while hovered, round with a soft edge.
#pragma once

#include "editor/pixel_buffer.h"
#include "editor/skin_placement.h"

namespace editor {

// Writes width x height BGRA pixels (straight alpha; transparent outside
// the face) into the top-left of `out`, clipped to it.
void generateDialFace(const PixelBuffer& out, const SkinPlacement& place, double value, bool hover);

// Centre of the value dimple in the face's own pixels.
struct DimplePosition {
  double x, y;
};
DimplePosition dialDimple(double faceWidth, double value);

}  // namespace editor
