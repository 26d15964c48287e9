// Offscreen contexts on cairo (Linux).
#include "gui/coffscreen_context.h"

#include <cairo.h>

#include "gui/cbitmap.h"

namespace gui {

COffscreenContext::COffscreenContext(CBitmap* bitmap)
    : CDrawContext(bitmap ? bitmap->getSurface() : nullptr), bitmap_(bitmap) {
  if (bitmap_) bitmap_->remember();
}

COffscreenContext::~COffscreenContext() {
  if (bitmap_) {
    cairo_surface_flush(bitmap_->getSurface());
    bitmap_->forget();
  }
}

void COffscreenContext::endDraw() {
  if (bitmap_) cairo_surface_flush(bitmap_->getSurface());
}

}  // namespace gui
