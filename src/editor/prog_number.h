// The current program's number beside its name, "07:" style.
#pragma once

#include <cstdint>

#include "gui/cview.h"

class ProgNumber : public gui::CView {
 public:
  explicit ProgNumber(const gui::CRect& size);
  ProgNumber(const ProgNumber& other) = default;
  gui::CView* newCopy() const override { return new ProgNumber(*this); }
  void draw(gui::CDrawContext* context) override;

  // The text drawn for a program number ("0%i:" below 10, "%i:" from 10).
  static void format(int number, char* out, int size);

  uint8_t number = 0;
};
