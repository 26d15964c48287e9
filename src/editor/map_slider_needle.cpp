#include "editor/map_slider_needle.h"

#include "editor/skin_pixels.h"
#include "editor/slider_needle.h"

map_Slider_Needle::map_Slider_Needle(int width, int height) : gui::CBitmap(width, height) {}

map_Slider_Needle::~map_Slider_Needle() = default;

void map_Slider_Needle::generate(gui::CDrawContext* context, const gui::CRect& dest,
                                 const gui::CPoint& offset, int width, int height, bool highlight) {
  editor::generateSkin(this, context, dest, [&](const editor::PixelBuffer& pixels) {
    editor::generateSliderNeedle(pixels, {offset.x, offset.y, width, height}, highlight);
  });
}
