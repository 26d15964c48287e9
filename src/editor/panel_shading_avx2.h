// AVX2 version of the shading pass. Call only when the processor supports
// AVX2.
#pragma once

#include <cstdint>

#include "editor/panel_shading.h"

namespace editor {

// The maps and the buffer as plain pointers: the AVX2 file calls no inline
// function it shares with the rest of the program, so no AVX2 copy of one
// can end up used on a processor without AVX2.
struct ShadingTarget {
  const float* j;
  const float* i;
  const float* q;
  int mapWidth, mapHeight;
  uint8_t* pixels;
  int bytesPerRow;
};

void shadeRowsAvx2(const ShadingSetup& setup, const ReliefMaps& maps, const ShadingTarget& target,
                   int rowBegin, int rowEnd);

}  // namespace editor
