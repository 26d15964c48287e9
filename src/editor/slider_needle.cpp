#include "editor/slider_needle.h"

#include <algorithm>
#include <cmath>

#include "editor/skin_lighting.h"

namespace editor {

namespace {

constexpr int kHeadRows = 30;  // rows 0 to 30 form the head
constexpr double kHeadCentre = 20.0;

bool inWindow(int x, int row) { return x >= 16 && x <= 19 && row >= 16 && row <= 24; }

}  // namespace

void generateSliderNeedle(const PixelBuffer& out, const SkinPlacement& place, bool highlight) {
  if (!out.valid() || place.width <= 0 || place.height <= 0) return;
  const int width = std::min(place.width, out.width);
  const int height = std::min(place.height, out.height);
  const double half = place.width / 2.0;
  for (int row = 0; row < height; ++row) {
    uint8_t* line = out.row(row);
    const bool head = row <= kHeadRows;
    for (int x = 0; x < width; ++x) {
      uint8_t* pixel = line + 4 * x;
      if (inWindow(x, row)) {
        putPixel(pixel, 0, 0, 0, 128);
        continue;
      }
      double offset, centreRow;
      if (head) {
        const double u = (x - half) / (0.75 * half);
        offset = u * u * u * u * (x - half);
        centreRow = kHeadCentre;
      } else {
        offset = 4.0 * (x - half + 2.0) - half;
        centreRow = row;
      }
      const double dr = row - centreRow;
      const double rise = std::max(1.0 - std::sqrt(offset * offset + dr * dr) / half, -1.0);
      // Outside the needle the rise is negative: the pixel is transparent,
      // and the normal stays flat rather than taking a root of it.
      const Vec3 n = normalise({-dr / half, -offset / half, -std::sqrt(std::max(rise, 0.0))});
      const SkinLight light = lightSkin(n, place.x + x, place.y + row, half);
      const double s = light.specular;
      const double s2 = s * s, s4 = s2 * s2;
      const double shine = head ? s4 * s4 * s4 * s2 * s : s2;
      const double brightness = 0.5 * shine + 0.5 * light.diffuse + (head ? 0.1 : 0.3);
      const bool brightShaft = highlight && !head;
      double red = (brightShaft ? 255.0 : 210.0) * brightness;
      double green = (brightShaft ? 250.0 : 195.0) * brightness;
      double blue = (brightShaft ? 210.0 : 160.0) * brightness;
      if (highlight) {
        const double amount = (n.z + 1.0) / 2;
        red = towards(red, 255.0, amount);
        green = towards(green, 205.0, amount);
        blue = towards(blue, 95.0, amount);
      }
      putPixel(pixel, red, green, blue,
               255.0 * std::clamp((place.height - row) * rise * 0.1, 0.0, 1.0));
    }
  }
}

}  // namespace editor
