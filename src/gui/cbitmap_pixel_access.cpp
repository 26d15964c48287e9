#include "gui/cbitmap_pixel_access.h"

namespace gui {

bool CBitmapPixelAccess::setPosition(int x, int y) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return false;
  x_ = x;
  y_ = y;
  return true;
}

void CBitmapPixelAccess::getColor(CColor& color) const {
  const uint8_t* p = data_ + static_cast<long>(y_) * stride_ + x_ * 4;
  color = CColor(p[2], p[1], p[0], p[3]);
}

void CBitmapPixelAccess::setColor(const CColor& color) {
  uint8_t* p = data_ + static_cast<long>(y_) * stride_ + x_ * 4;
  p[0] = color.blue;
  p[1] = color.green;
  p[2] = color.red;
  p[3] = color.alpha;
}

bool CBitmapPixelAccess::operator++() {
  if (++x_ < width_) return true;
  x_ = 0;
  if (++y_ < height_) return true;
  y_ = height_ - 1;
  x_ = width_ - 1;
  return false;
}

}  // namespace gui
