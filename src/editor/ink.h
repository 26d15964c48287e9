// Colours and small text helpers shared by the editor's views. Most of the
// controls draw in one dark brown ink at varying strength and label in
// Arial; the program read-outs use the warm gold of the title.
#pragma once

#include <cstdint>

#include "gui/ccolor.h"
#include "gui/cdraw_context.h"
#include "gui/cfont_desc.h"

namespace editor {

inline gui::CColor ink(double alpha) {
  const double a = alpha < 0 ? 0 : (alpha > 255 ? 255 : alpha);
  return gui::CColor(30, 20, 10, static_cast<uint8_t>(a));
}

inline gui::CColor withAlpha(gui::CColor colour, double alpha) {
  const double a = alpha < 0 ? 0 : (alpha > 255 ? 255 : alpha);
  colour.alpha = static_cast<uint8_t>(a);
  return colour;
}

constexpr gui::CColor kGold(250, 210, 100, 255);

inline const char* labelFontName() { return "Arial"; }
inline const char* titleFontName() { return "Times New Roman"; }

// Draws text with its baseline starting at (x, y).
inline void drawText(gui::CDrawContext* context, const char* text, double x, double y, double size,
                     gui::CColor colour, int32_t style = gui::kNormalFace,
                     const char* font = labelFontName()) {
  context->setFont(gui::CFontDesc(font, size, style));
  context->setFontColor(colour);
  context->drawString(text, gui::CPoint(x, y));
}

}  // namespace editor
