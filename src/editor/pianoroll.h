// The on-screen keyboard: 49 keys from the A at MIDI note 45 that play the
// instrument directly. The keys belong to the panel; this control only
// shades the key being played. The right button latches a note until the
// next left click on the keyboard is released.
#pragma once

#include "gui/ccontrol.h"

class Pianoroll : public gui::CControl {
 public:
  static constexpr int kKeys = 49;
  static constexpr int kFirstNote = 45;  // key 1
  static constexpr double kBlackKeyBottom = 439.73;

  Pianoroll(const gui::CRect& size, gui::IControlListener* listener);
  Pianoroll(const Pianoroll& other) = default;
  gui::CView* newCopy() const override { return new Pianoroll(*this); }

  void draw(gui::CDrawContext* context) override;
  gui::CMouseEventResult onMouseDown(gui::CPoint& where, const gui::CButtonState& buttons) override;
  gui::CMouseEventResult onMouseUp(gui::CPoint& where, const gui::CButtonState& buttons) override;
  gui::CMouseEventResult onMouseMoved(gui::CPoint& where,
                                      const gui::CButtonState& buttons) override;
  gui::CMouseEventResult onMouseEntered(gui::CPoint& where,
                                        const gui::CButtonState& buttons) override;
  gui::CMouseEventResult onMouseExited(gui::CPoint& where,
                                       const gui::CButtonState& buttons) override;

  // The key (1 to 49) under a point, 0 for none.
  int keyAt(const gui::CPoint& where) const;
  static bool isBlackKey(int key);
  const gui::CRect& keyRect(int key) const { return keys_[key].rect; }
  // Striking lower on a key plays louder.
  static float velocityAt(const gui::CPoint& where);
  int getCurrentKey() const { return currentKey_; }
  bool isLatched() const { return latched_; }

 private:
  struct Key {
    gui::CRect rect;
    int number = 0;
  };

  void play(int key, const gui::CPoint& where);
  void release(int key);
  void releaseCurrent();

  int currentKey_ = 0;
  bool latched_ = false;
  gui::CRect rect_;
  Key keys_[kKeys + 1];
};
