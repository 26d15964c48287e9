#include "editor/lcd_display.h"

#include <cstdio>

#include "editor/ink.h"

LCD_Display::LCD_Display(const gui::CRect& size) : CView(size) {}

void LCD_Display::setText(const char* newText) {
  std::snprintf(text, sizeof text, "%s", newText ? newText : "");
  setDirty(true);
}

void LCD_Display::draw(gui::CDrawContext* context) {
  const gui::CRect& r = getViewSize();
  editor::drawText(context, text, r.left + 9, r.bottom - 7, 20, editor::ink(125));
  setDirty(false);
}
