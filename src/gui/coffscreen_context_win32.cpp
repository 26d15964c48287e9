// Offscreen contexts on Windows: GDI+ draws straight into the bitmap's rows.
#include "gui/cbitmap.h"
#include "gui/coffscreen_context.h"

namespace gui {

COffscreenContext::COffscreenContext(CBitmap* bitmap)
    : CDrawContext(bitmap ? bitmap->getSurface() : nullptr), bitmap_(bitmap) {
  if (bitmap_) bitmap_->remember();
}

COffscreenContext::~COffscreenContext() {
  // The GDI+ graphics works on the bitmap's memory: let go of it before the
  // bitmap may go.
  releaseGraphics();
  if (bitmap_) bitmap_->forget();
}

void COffscreenContext::endDraw() { CDrawContext::endDraw(); }

}  // namespace gui
