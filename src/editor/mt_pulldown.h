// The "TEMPLATES" pull-down of the microtuning page: pressing it opens a
// list of six commands below its title; releasing picks the command under
// the pointer and reports it as the control's value (0 for the title row).
#pragma once

#include <cstdint>

#include "gui/ccontrol.h"

class mt_Pulldown : public gui::CControl {
 public:
  static constexpr int kItems = 6;
  static constexpr double kRowHeight = 17;
  static constexpr double kOpenHeight = 121.1;

  mt_Pulldown(const gui::CRect& size, gui::IControlListener* listener, int32_t tag);
  mt_Pulldown(const mt_Pulldown& other) = default;
  gui::CView* newCopy() const override { return new mt_Pulldown(*this); }

  void draw(gui::CDrawContext* context) override;
  gui::CMouseEventResult onMouseDown(gui::CPoint& where, const gui::CButtonState& buttons) override;
  gui::CMouseEventResult onMouseUp(gui::CPoint& where, const gui::CButtonState& buttons) override;
  gui::CMouseEventResult onMouseMoved(gui::CPoint& where,
                                      const gui::CButtonState& buttons) override;
  gui::CMouseEventResult onMouseEntered(gui::CPoint& where,
                                        const gui::CButtonState& buttons) override;
  gui::CMouseEventResult onMouseExited(gui::CPoint& where,
                                       const gui::CButtonState& buttons) override;

  // Labels items 1 to 6 for the notes or the pitch-bend templates.
  void setPitchBendMode(bool pitchBend);
  bool isPitchBendMode() const { return pitchBend_; }
  bool isOpen() const { return open_; }
  int getItem() const { return item_; }
  const char* getItemText(int item) const;

 private:
  gui::CRect closedRect_;
  bool open_ = false;
  bool pitchBend_ = false;
  uint8_t item_ = 0;
  float hover_ = 0;
  char items_[kItems][32] = {"RESET", "TONIC Cmaj", "OCTATONIC", "PENTATONIC", "LOAD", "SAVE"};
};
