// A section display: one line of read-out text on its screen. The editor
// keeps the last raw value it formatted for each read-out of the section
// here, so a text is only rebuilt when its value changed.
#pragma once

#include <cstdint>

#include "editor/readout_texts.h"
#include "gui/cview.h"

class LCD_Display : public gui::CView {
 public:
  explicit LCD_Display(const gui::CRect& size);
  LCD_Display(const LCD_Display& other) = default;
  gui::CView* newCopy() const override { return new LCD_Display(*this); }
  void draw(gui::CDrawContext* context) override;

  // Copies at most 127 bytes and marks the display for redraw.
  void setText(const char* text);
  const char* getText() const { return text; }

  float cache[editor::kReadoutSlots] = {};
  uint8_t bodySyncMode = 0;
  char text[editor::kReadoutTextSize] = "Body";
};
