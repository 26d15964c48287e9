#include "editor/skin_pixels.h"

#include "gui/cbitmap_pixel_access.h"

namespace editor {

void generateSkin(gui::CBitmap* bitmap, gui::CDrawContext* context, const gui::CRect& dest,
                  const std::function<void(const PixelBuffer&)>& fill) {
  gui::CBitmapPixelAccess* access = gui::CBitmapPixelAccess::create(bitmap);
  if (!access) return;
  fill({access->getAddress(), access->getBitmapWidth(), access->getBitmapHeight(),
        access->getBytesPerRow()});
  access->forget();
  if (context) context->drawBitmap(bitmap, dest, gui::CPoint(0, 0), 1.0f);
}

}  // namespace editor
