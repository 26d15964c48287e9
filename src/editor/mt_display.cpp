#include "editor/mt_display.h"

#include <cstdio>

#include "editor/ink.h"

mt_Display::mt_Display(const gui::CRect& size) : CView(size) {}

void mt_Display::format(float a, float b, char* out, int size) {
  if (!out || size <= 0) return;
  // Frequencies read in hertz; bends in semitones keep four decimals.
  std::snprintf(out, static_cast<size_t>(size), b > 12 ? "%.4f | %.2fhz" : "%.4f | %.4f",
                static_cast<double>(a), static_cast<double>(b));
}

void mt_Display::draw(gui::CDrawContext* context) {
  char text[64];
  format(first, second, text, sizeof text);
  const gui::CRect& r = getViewSize();
  editor::drawText(context, text, r.left + 3, r.bottom - 2, 18, editor::ink(125));
  setDirty(false);
}
