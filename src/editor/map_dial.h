// A dial face bitmap: generated per draw with the dial's value and hover
// state, then drawn at the dial's rectangle.
#pragma once

#include "gui/cbitmap.h"
#include "gui/cdraw_context.h"

class map_Dial : public gui::CBitmap {
 public:
  map_Dial(int width, int height);
  ~map_Dial() override;

  // Generates a width x height face whose top-left pixel sits at `offset`
  // in the frame (the lighting depends on it) into the bitmap and draws it
  // into the context at `dest`. Draws nothing when the pixels cannot be
  // accessed.
  void generate(gui::CDrawContext* context, const gui::CRect& dest, const gui::CPoint& offset,
                int width, int height, float value, bool hover);
};
