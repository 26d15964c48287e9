// A note-offset needle bitmap (20 x 120): generated per draw, highlighted
// or not, then drawn at the needle's place.
#pragma once

#include "gui/cbitmap.h"
#include "gui/cdraw_context.h"

class map_Slider_Needle : public gui::CBitmap {
 public:
  map_Slider_Needle(int width, int height);
  ~map_Slider_Needle() override;

  // Generates a width x height needle whose top-left pixel sits at
  // `offset` in the frame and draws it into the context at `dest`. Draws
  // nothing when the pixels cannot be accessed.
  void generate(gui::CDrawContext* context, const gui::CRect& dest, const gui::CPoint& offset,
                int width, int height, bool highlight);
};
