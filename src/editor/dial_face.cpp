#include "editor/dial_face.h"

#include <algorithm>
#include <cmath>

#include "editor/fast_sine.h"
#include "editor/skin_lighting.h"

namespace editor {

namespace {
constexpr double kTwoPi = 6.283185307179586;
}

DimplePosition dialDimple(double faceWidth, double value) {
  const double e = faceWidth / 2;
  const double turn = 0.8 * value + 0.1;
  return {(-fastSin(kTwoPi * turn) * 0.6 + 1.0) * e - 1.0,
          (fastCos(kTwoPi * turn) * 0.6 + 1.0) * e - 1.0};
}

void generateDialFace(const PixelBuffer& out, const SkinPlacement& place, double value,
                      bool hover) {
  if (!out.valid() || place.width <= 0 || place.height <= 0) return;
  const int width = std::min(place.width, out.width);
  const int height = std::min(place.height, out.height);
  const double e = place.width / 2.0;
  const double e2 = e * e;
  const DimplePosition dimple = dialDimple(place.width, std::clamp(value, 0.0, 1.0));
  for (int y = 0; y < height; ++y) {
    uint8_t* row = out.row(y);
    for (int x = 0; x < width; ++x) {
      uint8_t* pixel = row + 4 * x;
      const double f = x - (e - 1.0);
      const double g = y - (place.height / 2.0 - 1.0);
      const double d = 1.0 - (f * f + g * g) / e2;
      if (!(d > 0.0)) {  // outside the face: transparent (and no sqrt of a negative)
        putPixel(pixel, 0, 0, 0, 0);
        continue;
      }
      const double ripple = fastSin(kTwoPi * std::sqrt(d)) * d * 0.5 + (1.0 - d) * 0.5;
      const double z = d * d;
      double tiltX = f / e * ripple;
      double tiltY = g / e * ripple;
      const double ox = x - dimple.x, oy = y - dimple.y;
      const double k = ox * ox + oy * oy;
      if (k < e2) {
        const double push = -0.1 * std::max(1.0 - k / e, 0.0);
        tiltX += push * ox;
        tiltY += push * oy;
      }
      const Vec3 n = normalise({tiltX, tiltY, -z});
      const SkinLight light = lightSkin(n, place.x + x, place.y + y, e);
      const double s = light.specular;
      const double brightness =
          (0.5 * s * s * s * s * s + 0.5 * light.diffuse + 0.1) * (1.0 - light.rim);
      double red = 230.0 * brightness;
      double green = (230.0 - 80.0 * ripple) * brightness;
      double blue = (230.0 - 130.0 * ripple) * brightness;
      if (hover) {
        const double amount = (n.z + 1.0) / 2;
        red = towards(red, 255.0, amount);
        green = towards(green, 205.0, amount);
        blue = towards(blue, 85.0, amount);
      }
      putPixel(pixel, red + 200.0 * light.rim, green + 120.0 * light.rim, blue + 10.0 * light.rim,
               255.0 * std::clamp(10.0 * d, 0.0, 1.0));
    }
  }
}

}  // namespace editor
