// Lights the relief maps and tints them with the GUI colour: one shading
// model for every pixel of the panel (diffuse light from the upper left, a
// specular highlight, a rim light, a vignette, warm glow and dark warm
// recesses), written as BGRA bytes with alpha 255.
#pragma once

#include <cstdint>

#include "editor/pixel_buffer.h"
#include "editor/relief_maps.h"

namespace editor {

// Everything of one shading pass that does not change from pixel to pixel.
struct ShadingSetup {
  int width = 0;  // maps and buffer overlap
  int height = 0;
  float halfWidth = 0, halfHeight = 0;
  float widthSquared = 0;
  float red = 0, green = 0, blue = 0;  // GUI colour, 0 to 1
  float specularBase = 0;              // (0.7 X + 0.3) * 15 with X the brightness
  float specularScale = 0;             // 1 - 0.75 X
  float mapWidth = 0;                  // geometry follows the maps

  ShadingSetup(const ReliefMaps& maps, const PixelBuffer& out, uint8_t r, uint8_t g, uint8_t b);
};

// One pixel, the reference the fast paths are held to.
void shadePixel(const ShadingSetup& setup, const ReliefMaps& maps, int x, int y, uint8_t* bgra);

// Rows [rowBegin, rowEnd), one pixel at a time.
void shadeRowsReference(const ShadingSetup& setup, const ReliefMaps& maps, const PixelBuffer& out,
                        int rowBegin, int rowEnd);

// The whole overlap of maps and buffer, reference and fast (identical bytes).
void shadePanelReference(const ReliefMaps& maps, const PixelBuffer& out, uint8_t r, uint8_t g,
                         uint8_t b);
void shadePanelFast(const ReliefMaps& maps, const PixelBuffer& out, uint8_t r, uint8_t g,
                    uint8_t b);

}  // namespace editor
