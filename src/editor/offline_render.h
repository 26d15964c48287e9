// The bitmap the panel background is rendered into. It carries the GUI
// colour of the render; its pixel generator fills it with the lit, tinted
// relief of the module-wide maps.
#pragma once

#include "gui/cbitmap.h"
#include "gui/ccolor.h"

class Offline_Render : public gui::CBitmap {
 public:
  static constexpr gui::CColor kDefaultColour{230, 247, 249, 255};

  Offline_Render(int width, int height);
  ~Offline_Render() override;

  // Red, green, blue and alpha of the render.
  gui::CColor colour = kDefaultColour;

  // Shades the relief into the pixels (opaque) with the colour, the page
  // area open or closed. False, with the pixels untouched, when they cannot
  // be accessed or the relief maps cannot be allocated.
  bool renderRelief(bool pagePanel);
};
