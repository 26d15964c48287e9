// Pixel access to cairo image surfaces (Linux).
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

}  // namespace gui
