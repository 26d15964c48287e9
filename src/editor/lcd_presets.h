// The preset browser of the presets page. For now it draws its two list
// screens and their headings and keeps the flags the editor sets; listing
// banks and programs comes with the browser itself.
#pragma once

#include "gui/ccontrol.h"

class LCD_presets : public gui::CControl {
 public:
  static constexpr gui::CRect kBankList{483, 93, 618, 193};
  static constexpr gui::CRect kBankScrollBar{622, 94, 632, 193};
  static constexpr gui::CRect kPresetList{636, 93, 928, 193};
  static constexpr gui::CRect kPresetScrollBar{932, 94, 942, 193};

  LCD_presets(const gui::CRect& size, gui::IControlListener* listener, int32_t tag);
  LCD_presets(const LCD_presets& other) = default;
  gui::CView* newCopy() const override { return new LCD_presets(*this); }

  void draw(gui::CDrawContext* context) override;

  // The current program has changes not yet in a file (shows "SAVE").
  void setModified(bool state);
  bool isModified() const { return edited; }
  // The current program was renamed, stepped to or loaded.
  void programChanged();

  bool edited = false;
  bool rescanPending = true;
  bool nameEditActive = false;
  bool newBankPending = false;
};
