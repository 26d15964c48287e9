// AVX2 version of the shading pass. Call only when the processor supports
// AVX2.
#pragma once

#include "editor/panel_shading.h"

namespace editor {

void shadeRowsAvx2(const ShadingSetup& setup, const ReliefMaps& maps, const PixelBuffer& out, int rowBegin,
                   int rowEnd);

}  // namespace editor
