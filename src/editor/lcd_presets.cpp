#include "editor/lcd_presets.h"

#include "editor/ink.h"
#include "gui/cframe.h"

LCD_presets::LCD_presets(const gui::CRect& size, gui::IControlListener* listener, int32_t tag)
    : CControl(size, listener, tag) {}

void LCD_presets::setModified(bool state) {
  if (edited) return;
  edited = state;
  if (gui::CFrame* frame = getFrame()) frame->invalid();
}

void LCD_presets::programChanged() {
  rescanPending = true;
  invalid();
}

void LCD_presets::draw(gui::CDrawContext* context) {
  context->setDrawMode(gui::kAntiAliasing);
  context->setLineWidth(1);
  for (const gui::CRect& list : {kBankList, kPresetList}) {
    context->setFillColor(editor::ink(25));
    context->drawRect(list, gui::kDrawFilled);
    context->setFrameColor(editor::ink(90));
    context->drawRect(list, gui::kDrawStroked);
  }
  for (const gui::CRect& bar : {kBankScrollBar, kPresetScrollBar}) {
    context->setFillColor(editor::ink(40));
    context->drawRect(bar, gui::kDrawFilled);
  }
  editor::drawText(context, "BANKS", 488, 89, 14, editor::ink(160));
  editor::drawText(context, "PRESETS", 638, 89, 14, editor::ink(160));
  if (edited) {
    const gui::CRect save(870, 77, 928, 90.5);
    context->setFillColor(editor::ink(60));
    context->drawRect(save, gui::kDrawFilled);
    editor::drawText(context, "SAVE", save.left + 12, save.bottom - 2, 12, editor::ink(180));
  }
  rescanPending = false;
  setDirty(false);
}
