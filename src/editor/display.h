// The note-offset display above the keyboard: the two needles that show
// where spring A and spring B sit on the keyboard. The needle of a section
// glows while the pointer is over that section's slider.
#pragma once

#include <cstdint>

#include "gui/cview.h"

class Display : public gui::CView {
 public:
  // Needle tops: A hangs over the lower rail, B over the upper one.
  static constexpr double kNeedleATop = 326;
  static constexpr double kNeedleBTop = 311;

  explicit Display(const gui::CRect& size);
  Display(const Display& other) = default;
  gui::CView* newCopy() const override { return new Display(*this); }
  void draw(gui::CDrawContext* context) override;

  double needleA = 100;
  double needleB = 100;
  uint8_t highlight = 0;  // 0 none, 1 needle A, 2 needle B
};
