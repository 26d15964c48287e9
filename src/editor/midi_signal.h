// The MIDI activity light: lit fully when MIDI arrives, then fading out
// over twenty redraws, keeping itself dirty while it glows.
#pragma once

#include "gui/cview.h"

class MidiSignal : public gui::CView {
 public:
  static constexpr float kFadeStep = 0.05f;

  explicit MidiSignal(const gui::CRect& size);
  MidiSignal(const MidiSignal& other) = default;
  gui::CView* newCopy() const override { return new MidiSignal(*this); }
  void draw(gui::CDrawContext* context) override;

  // Lights the signal fully and asks for a redraw.
  void light();

  gui::CRect outer;
  gui::CRect inner;
  float level = 0;
};
