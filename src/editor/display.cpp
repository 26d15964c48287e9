#include "editor/display.h"

#include <cmath>

#include "editor/map_slider_needle.h"
#include "editor/slider_needle.h"

namespace {

void drawNeedle(gui::CDrawContext* context, double position, double top, bool highlight) {
  if (!std::isfinite(position)) return;
  const double left = std::round(position) - editor::kNeedleWidth / 2;
  auto* needle = new map_Slider_Needle(editor::kNeedleWidth, editor::kNeedleHeight);
  needle->generate(context,
                   gui::CRect(left, top, left + editor::kNeedleWidth, top + editor::kNeedleHeight),
                   gui::CPoint(left, top), editor::kNeedleWidth, editor::kNeedleHeight, highlight);
  needle->forget();
}

}  // namespace

Display::Display(const gui::CRect& size) : CView(size) {}

void Display::draw(gui::CDrawContext* context) {
  drawNeedle(context, needleA, kNeedleATop, highlight == 1);
  drawNeedle(context, needleB, kNeedleBTop, highlight == 2);
  setDirty(false);
}
