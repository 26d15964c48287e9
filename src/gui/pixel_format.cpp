#include "gui/pixel_format.h"

namespace gui {

void premultiplyRows(uint8_t* data, int width, int height, int bytesPerRow) {
  if (!data) return;
  for (int y = 0; y < height; ++y) {
    uint8_t* p = data + static_cast<long>(y) * bytesPerRow;
    for (int x = 0; x < width; ++x, p += 4) {
      const uint8_t a = p[3];
      if (a == 255) continue;
      p[0] = premultiplyChannel(p[0], a);
      p[1] = premultiplyChannel(p[1], a);
      p[2] = premultiplyChannel(p[2], a);
    }
  }
}

void unpremultiplyRows(uint8_t* data, int width, int height, int bytesPerRow) {
  if (!data) return;
  for (int y = 0; y < height; ++y) {
    uint8_t* p = data + static_cast<long>(y) * bytesPerRow;
    for (int x = 0; x < width; ++x, p += 4) {
      const uint8_t a = p[3];
      if (a == 255) continue;
      p[0] = unpremultiplyChannel(p[0], a);
      p[1] = unpremultiplyChannel(p[1], a);
      p[2] = unpremultiplyChannel(p[2], a);
    }
  }
}

}  // namespace gui
