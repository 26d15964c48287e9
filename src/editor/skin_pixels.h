// The common frame of the skin bitmaps: open the bitmap's pixels (straight
// alpha), let a generator fill them, hand them back and draw the bitmap.
#pragma once

#include <functional>

#include "editor/pixel_buffer.h"
#include "gui/cbitmap.h"
#include "gui/cdraw_context.h"

namespace editor {

// Draws nothing when the pixels cannot be accessed; draws into the context
// only when there is one.
void generateSkin(gui::CBitmap* bitmap, gui::CDrawContext* context, const gui::CRect& dest,
                  const std::function<void(const PixelBuffer&)>& fill);

}  // namespace editor
