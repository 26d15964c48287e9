#include "editor/map_switcher.h"

#include "editor/skin_pixels.h"
#include "editor/switcher_slab.h"

map_Switcher::map_Switcher(int width, int height) : gui::CBitmap(width, height) {}

map_Switcher::~map_Switcher() = default;

void map_Switcher::generate(gui::CDrawContext* context, const gui::CRect& dest,
                            const gui::CPoint& offset, int width, int height, float /*value*/,
                            bool hover) {
  editor::generateSkin(this, context, dest, [&](const editor::PixelBuffer& pixels) {
    editor::generateSwitcherSlab(pixels, {offset.x, offset.y, width, height}, hover);
  });
}
