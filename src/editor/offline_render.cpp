#include "editor/offline_render.h"

#include "editor/panel_relief.h"
#include "gui/cbitmap_pixel_access.h"

Offline_Render::Offline_Render(int width, int height) : gui::CBitmap(width, height) {}

Offline_Render::~Offline_Render() = default;

bool Offline_Render::renderRelief(bool pagePanel) {
  // Every pixel comes out opaque, so premultiplied and straight alpha are
  // the same bytes and the access needs no conversion.
  gui::CBitmapPixelAccess* access = gui::CBitmapPixelAccess::create(this, true);
  if (!access) return false;
  const editor::PixelBuffer pixels{access->getAddress(), access->getBitmapWidth(),
                                   access->getBitmapHeight(), access->getBytesPerRow()};
  const bool rendered = editor::PanelRelief::shared().render(pixels, colour.red, colour.green,
                                                             colour.blue, pagePanel);
  access->forget();
  return rendered;
}
