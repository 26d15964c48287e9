// Drawing the preset browser: two list screens with their rows, hover and
// current-row highlights, scroll bars, the "SAVE" button, the message line
// and the question box.
#include <cstdio>

#include "editor/ink.h"
#include "editor/lcd_presets.h"

namespace {

constexpr double kRowTextSize = 13;
const gui::CColor kWarning(150, 30, 10, 220);

const char* questionText(LCD_presets::Question question, bool bankMode, bool bankRow) {
  switch (question) {
    case LCD_presets::Question::OverwriteProgram:
    case LCD_presets::Question::OverwriteBank:
      return "Overwrite Existing File?";
    case LCD_presets::Question::Delete:
      if (!bankMode) return "Delete File?";
      return bankRow ? "Delete Bank?" : "Remove Preset?";
    default:
      return "";
  }
}

void drawButton(gui::CDrawContext* context, const gui::CRect& r, const char* label, double size) {
  context->setFillColor(editor::ink(70));
  context->drawRect(r, gui::kDrawFilled);
  context->setFrameColor(editor::ink(150));
  context->drawRect(r, gui::kDrawStroked);
  editor::drawText(context, label, r.left + 8, r.bottom - 7, size, gui::CColor(255, 235, 180, 230));
}

}  // namespace

void LCD_presets::draw(gui::CDrawContext* context) {
  refreshIfPending();
  updateHover();
  bankScroll_.advance();
  presetScroll_.advance();
  const bool moving = bankScroll_.moving() || presetScroll_.moving();

  context->setDrawMode(gui::kAntiAliasing);
  context->setLineWidth(1);
  editor::drawText(context, "BANKS", 488, 89, 14, editor::ink(160));
  editor::drawText(context, "PRESETS", 638, 89, 14, editor::ink(160));
  drawList(context, true);
  drawList(context, false);

  if (edited) {
    const gui::CRect& save = saveButton();
    context->setFillColor(editor::ink(hoverSave_ ? 110 : 60));
    context->drawRect(save, gui::kDrawFilled);
    editor::drawText(context, "SAVE", save.left + 12, save.bottom - 2, 12, editor::ink(200));
  }
  if (!message_.empty()) {
    const double left = 712;
    const double right = isBankOpen() ? 928 : 866;
    context->saveGlobalState();
    context->setClipRect(gui::CRect(left, 76, right, 92));
    editor::drawText(context, message_.c_str(), left, 89, 11, kWarning, gui::kBoldFace);
    context->restoreGlobalState();
  }
  if (question_ != Question::None) drawQuestion(context);
  setDirty(false);
  // A list still gliding draws again at the next idle.
  if (moving) setDirty(true);
}

void LCD_presets::drawList(gui::CDrawContext* context, bool bankList) {
  const gui::CRect& list = bankList ? kBankList : kPresetList;
  const BrowserScroll& scroll = bankList ? bankScroll_ : presetScroll_;
  context->setFillColor(editor::ink(25));
  context->drawRect(list, gui::kDrawFilled);
  context->setFrameColor(editor::ink(90));
  context->drawRect(list, gui::kDrawStroked);
  context->setFillColor(editor::ink(40));
  context->drawRect(scroll.bar(), gui::kDrawFilled);
  context->setFillColor(editor::ink(110));
  context->drawRect(scroll.thumb(), gui::kDrawFilled);

  const bool asking = question_ != Question::None;
  const int hovered = asking ? -1 : (bankList ? hoveredBankRow_ : hoveredPresetRow_);
  context->saveGlobalState();
  context->setClipRect(list);
  if (bankList) {
    const int open = openBankRow();
    for (size_t i = 0; i < bankRows_.size(); ++i) {
      const int row = static_cast<int>(i);
      drawRow(context, list, scroll.baseline(row), bankRows_[i].name.c_str(), row == hovered,
              row == open, false, bankRows_[i].readOnly);
    }
    const int extra = static_cast<int>(bankRows_.size());
    drawRow(context, list, scroll.baseline(extra), "   NEW BANK", extra == hovered, false, true,
            false);
  } else {
    for (size_t i = 0; i < presetRows_.size(); ++i) {
      const int row = static_cast<int>(i);
      char text[96];
      if (isBankOpen())
        std::snprintf(text, sizeof text, row < 10 ? "0%i.%s" : "%i.%s", row,
                      presetRows_[i].name.c_str());
      else
        std::snprintf(text, sizeof text, "%s", presetRows_[i].name.c_str());
      const bool current =
          isBankOpen() ? row == selectedPresetRow_ : presetRows_[i].name == currentName_;
      drawRow(context, list, scroll.baseline(row), text, row == hovered, current, false,
              presetRows_[i].readOnly);
    }
    if (offersNewPreset()) {
      const int extra = static_cast<int>(presetRows_.size());
      drawRow(context, list, scroll.baseline(extra), "   NEW PRESET", extra == hovered, false, true,
              false);
    }
  }
  context->restoreGlobalState();
}

void LCD_presets::drawRow(gui::CDrawContext* context, const gui::CRect& list, double baseline,
                          const char* text, bool hovered, bool current, bool marker,
                          bool readOnly) {
  if (baseline < list.top - 8 || baseline > list.bottom + 20) return;
  const gui::CRect band(list.left + 2, baseline - 12.5, list.right - 2, baseline + 4.5);
  if (current) {
    context->setFillColor(gui::CColor(230, 180, 70, 90));
    context->drawRect(band, gui::kDrawFilled);
  }
  if (hovered) {
    context->setFillColor(gui::CColor(255, 235, 180, 50));
    context->drawRect(band, gui::kDrawFilled);
  }
  if (marker) {
    // The small triangle before a "NEW" row.
    context->setFillColor(editor::withAlpha(editor::kGold, 160));
    context->drawPolygon(
        {gui::CPoint(list.left + 5, baseline - 9), gui::CPoint(list.left + 5, baseline - 1),
         gui::CPoint(list.left + 12, baseline - 5)},
        gui::kDrawFilled);
  }
  editor::drawText(context, text, list.left + 3, baseline, kRowTextSize,
                   editor::withAlpha(editor::kGold, readOnly ? 140 : 220));
  if (readOnly) {
    // A small padlock at the row's right end: the file can only be read.
    const double x = list.right - 13, y = baseline - 6;
    context->setFillColor(editor::withAlpha(editor::kGold, 150));
    context->drawRect(gui::CRect(x, y, x + 8, y + 6), gui::kDrawFilled);
    context->setFrameColor(editor::withAlpha(editor::kGold, 150));
    context->drawRect(gui::CRect(x + 2, y - 4, x + 6, y), gui::kDrawStroked);
  }
}

void LCD_presets::drawQuestion(gui::CDrawContext* context) {
  context->setFillColor(gui::CColor(60, 45, 20, 235));
  context->drawRect(kQuestionBox, gui::kDrawFilled);
  context->setFrameColor(gui::CColor(230, 180, 70, 200));
  context->drawRect(kQuestionBox, gui::kDrawStroked);
  const bool bankRow = question_ == Question::Delete && pendingDeleteBank_ >= 0;
  editor::drawText(context, questionText(question_, isBankOpen(), bankRow), 640, 135, 20,
                   gui::CColor(255, 235, 180, 240));
  drawButton(context, kOkButton, "OK", 16);
  if (question_ != Question::Delete) drawButton(context, kNoButton, "NO", 16);
  drawButton(context, kCancelButton, "CANCEL", 16);
}
