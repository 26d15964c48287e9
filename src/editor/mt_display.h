// The microtuning read-out, shown while the pointer is over a microtuning
// slider: the slider's tuning value and the frequency (or bend) it gives.
#pragma once

#include "gui/cview.h"

class mt_Display : public gui::CView {
 public:
  explicit mt_Display(const gui::CRect& size);
  mt_Display(const mt_Display& other) = default;
  gui::CView* newCopy() const override { return new mt_Display(*this); }
  void draw(gui::CDrawContext* context) override;

  // The text drawn for the two numbers.
  static void format(float first, float second, char* out, int size);

  float first = 0;
  float second = 0;
};
