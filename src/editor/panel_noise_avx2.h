// AVX2 version of the base texture fill. Call only when the processor
// supports AVX2.
#pragma once

namespace editor {

void fillBaseTextureAvx2(float* heightMap, int width, int rowBegin, int rowEnd);

}  // namespace editor
