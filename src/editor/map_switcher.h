// A switch slab bitmap: generated per draw with the hover state, then drawn
// at the slab's place.
#pragma once

#include "gui/cbitmap.h"
#include "gui/cdraw_context.h"

class map_Switcher : public gui::CBitmap {
 public:
  map_Switcher(int width, int height);
  ~map_Switcher() override;

  // Generates a width x height slab whose top-left pixel sits at `offset`
  // in the frame and draws it into the context at `dest`. The value is
  // shown by where the caller puts the slab. Draws nothing when the pixels
  // cannot be accessed.
  void generate(gui::CDrawContext* context, const gui::CRect& dest, const gui::CPoint& offset,
                int width, int height, float value, bool hover);
};
