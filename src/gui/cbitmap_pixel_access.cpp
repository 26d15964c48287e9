#include "gui/cbitmap_pixel_access.h"

#include <cairo.h>

#include "gui/cbitmap.h"
#include "gui/pixel_format.h"

namespace gui {

CBitmapPixelAccess* CBitmapPixelAccess::create(CBitmap* bitmap, bool alphaPremultiplied) {
  if (!bitmap || !bitmap->isLoaded() || bitmap->getPixelWidth() <= 0 ||
      bitmap->getPixelHeight() <= 0)
    return nullptr;
  cairo_surface_flush(bitmap->getSurface());
  if (!cairo_image_surface_get_data(bitmap->getSurface())) return nullptr;
  return new CBitmapPixelAccess(bitmap, alphaPremultiplied);
}

CBitmapPixelAccess::CBitmapPixelAccess(CBitmap* bitmap, bool premultiplied)
    : bitmap_(bitmap),
      data_(cairo_image_surface_get_data(bitmap->getSurface())),
      stride_(cairo_image_surface_get_stride(bitmap->getSurface())),
      width_(bitmap->getPixelWidth()),
      height_(bitmap->getPixelHeight()),
      premultiplied_(premultiplied) {
  bitmap_->remember();
  if (!premultiplied_) unpremultiplyRows(data_, width_, height_, stride_);
}

CBitmapPixelAccess::~CBitmapPixelAccess() {
  if (!premultiplied_) premultiplyRows(data_, width_, height_, stride_);
  cairo_surface_mark_dirty(bitmap_->getSurface());
  bitmap_->forget();
}

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
