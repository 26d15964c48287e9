#include "editor/switcher_slab.h"

#include <algorithm>

#include "editor/fast_sine.h"
#include "editor/skin_lighting.h"

namespace editor {

void generateSwitcherSlab(const PixelBuffer& out, const SkinPlacement& place, bool hover) {
  if (!out.valid() || place.width <= 0 || place.height <= 0) return;
  const int width = std::min(place.width, out.width);
  const int height = std::min(place.height, out.height);
  const double baseRed = hover ? 255.0 : 230.0;
  const double baseGreen = hover ? 250.0 : 230.0;
  const double baseBlue = hover ? 240.0 : 230.0;
  for (int y = 0; y < height; ++y) {
    uint8_t* row = out.row(y);
    for (int x = 0; x < width; ++x) {
      // Vertical ridges across the slab.
      const Vec3 n = normalise({fastSin(1.61 * x), 0.0, -4.0});
      const SkinLight light = lightSkin(n, place.x + x, place.y + y, place.width / 2.0);
      const double s = light.specular;
      const double brightness =
          (0.5 * s * s * s * s * s + 0.5 * light.diffuse + 0.1) * (1.0 - light.rim);
      const double e = n.z + 1.0;
      double red = ((230.0 - baseRed) * e + baseRed) * brightness;
      double green = ((150.0 - baseGreen) * e + baseGreen) * brightness;
      double blue = ((100.0 - baseBlue) * e + baseBlue) * brightness;
      if (hover) {
        red = towards(red, 255.0, e / 2);
        green = towards(green, 205.0, e / 2);
        blue = towards(blue, 85.0, e / 2);
      }
      putPixel(row + 4 * x, red + 200.0 * light.rim, green + 120.0 * light.rim,
               blue + 10.0 * light.rim, 255.0);
    }
  }
}

}  // namespace editor
