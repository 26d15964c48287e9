// Pixel access on Windows: the bitmap's own memory rows.
#include "gui/cbitmap.h"
#include "gui/cbitmap_pixel_access.h"
#include "gui/pixel_format.h"

namespace gui {

CBitmapPixelAccess* CBitmapPixelAccess::create(CBitmap* bitmap, bool alphaPremultiplied) {
  if (!bitmap || !bitmap->isLoaded() || bitmap->getPixelWidth() <= 0 ||
      bitmap->getPixelHeight() <= 0 || !bitmap->getSurface()->data)
    return nullptr;
  return new CBitmapPixelAccess(bitmap, alphaPremultiplied);
}

CBitmapPixelAccess::CBitmapPixelAccess(CBitmap* bitmap, bool premultiplied)
    : bitmap_(bitmap),
      data_(bitmap->getSurface()->data),
      stride_(bitmap->getSurface()->stride),
      width_(bitmap->getPixelWidth()),
      height_(bitmap->getPixelHeight()),
      premultiplied_(premultiplied) {
  bitmap_->remember();
  if (!premultiplied_) unpremultiplyRows(data_, width_, height_, stride_);
}

CBitmapPixelAccess::~CBitmapPixelAccess() {
  if (!premultiplied_) premultiplyRows(data_, width_, height_, stride_);
  bitmap_->forget();
}

}  // namespace gui
