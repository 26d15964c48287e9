// A note-offset needle: a rounded head on a thin shaft that fades out
// towards its lower end, with a small dark window in the head. Highlighted
// needles glow orange.
#pragma once

#include "editor/pixel_buffer.h"
#include "editor/skin_placement.h"

namespace editor {

// The needle's natural size.
constexpr int kNeedleWidth = 20;
constexpr int kNeedleHeight = 120;

// Writes width x height BGRA pixels (straight alpha) into the top-left of
// `out`, clipped to it.
void generateSliderNeedle(const PixelBuffer& out, const SkinPlacement& place, bool highlight);

}  // namespace editor
