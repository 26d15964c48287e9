#include "editor/map_dial.h"

#include "editor/dial_face.h"
#include "editor/skin_pixels.h"

map_Dial::map_Dial(int width, int height) : gui::CBitmap(width, height) {}

map_Dial::~map_Dial() = default;

void map_Dial::generate(gui::CDrawContext* context, const gui::CRect& dest,
                        const gui::CPoint& offset, int width, int height, float value, bool hover) {
  editor::generateSkin(this, context, dest, [&](const editor::PixelBuffer& pixels) {
    editor::generateDialFace(pixels, {offset.x, offset.y, width, height}, value, hover);
  });
}
