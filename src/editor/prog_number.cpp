#include "editor/prog_number.h"

#include <cstdio>

#include "editor/ink.h"

ProgNumber::ProgNumber(const gui::CRect& size) : CView(size) {}

void ProgNumber::format(int value, char* out, int size) {
  if (!out || size <= 0) return;
  std::snprintf(out, static_cast<size_t>(size), value < 10 ? "0%i:" : "%i:", value);
}

void ProgNumber::draw(gui::CDrawContext* context) {
  char text[8];
  format(number, text, sizeof text);
  context->setFont(gui::CFontDesc(editor::titleFontName(), 18));
  context->setFontColor(editor::withAlpha(editor::kGold, 108));
  context->drawString(text, getViewSize(), gui::kCenterText);
  setDirty(false);
}
