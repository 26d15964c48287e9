#include "editor/panel_drawing.h"

#include <cmath>

#include "editor/panel_text.h"
#include "gui/coffscreen_context.h"

namespace editor {

bool drawPanel(Offline_Render* bitmap, gui::CDrawContext* context, const gui::CRect& rect,
               bool pagePanel) {
  if (!bitmap || !context) return false;
  context->setLineWidth(1);
  context->setDrawMode(gui::kAntiAliasing);
  context->setFillColor(gui::CColor(90, 70, 50, 255));
  if (!bitmap->renderRelief(pagePanel)) return false;
  context->drawBitmap(bitmap, rect, gui::CPoint(0, 0), 1.0f);
  drawPanelText(context, bitmap->colour);
  return true;
}

}  // namespace editor

void renderBackground(gui::CFrame* frame, gui::CColor colour, bool pagePanel) {
  if (!frame) return;
  const gui::CRect size = frame->getViewSize();
  const double width = std::floor(size.getWidth());
  const double height = std::floor(size.getHeight());
  if (!(width >= 1.0) || !(height >= 1.0)) return;
  gui::COffscreenContext* context = gui::COffscreenContext::create(frame, width, height);
  if (!context) return;
  context->beginDraw();
  auto* panel = new Offline_Render(static_cast<int>(width), static_cast<int>(height));
  panel->colour = gui::CColor(colour.red, colour.green, colour.blue, 255);
  const bool drawn = editor::drawPanel(panel, context, gui::CRect(0, 0, width, height), pagePanel);
  context->endDraw();
  if (drawn) frame->setBackground(context->getBitmap());
  panel->forget();
  context->forget();
}
