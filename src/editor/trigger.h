// Every button of the editor, told apart by its kind: the program arrows,
// the load and save menus, the page tabs, the page selectors, the shift
// buttons, the toggles, the web-address button and "PANIC". The menu kinds
// change while in use: closed, open, chosen, closed again.
#pragma once

#include <cstdint>
#include <string>

#include "gui/ccontrol.h"

class Trigger : public gui::CControl {
 public:
  enum Kind : uint8_t {
    kNextProgram = 0,
    kPreviousProgram = 1,
    kLoadMenu = 2,
    kLoadMenuOpen = 3,
    kLoadMenuChosen = 4,
    kSaveMenu = 5,
    kSaveMenuOpen = 6,
    kSaveMenuChosen = 7,
    kLinkToggle = 8,
    kPresetsTab = 9,
    kMicrotuningTab = 10,
    kNotesSelector = 11,
    kShiftUp = 12,
    kShiftDown = 13,
    kModulationTab = 14,
    kEffectsTab = 15,
    kEffectsSelector = 16,
    kEchoSyncToggle = 17,
    kModulationSelector = 18,
    kLfoSyncToggle = 19,
    kWebAddress = 21,
    kPanic = 22,
  };

  // The user manual installed beside the module, which the web-address
  // button opens, and the text the button shows.
  static std::string manualPath();
  static const char* webAddressLabel();

  Trigger(const gui::CRect& size, gui::IControlListener* listener, int32_t tag, int kind);
  Trigger(const Trigger& other) = default;
  gui::CView* newCopy() const override { return new Trigger(*this); }

  void draw(gui::CDrawContext* context) override;
  gui::CMouseEventResult onMouseDown(gui::CPoint& where, const gui::CButtonState& buttons) override;
  gui::CMouseEventResult onMouseUp(gui::CPoint& where, const gui::CButtonState& buttons) override;
  gui::CMouseEventResult onMouseMoved(gui::CPoint& where,
                                      const gui::CButtonState& buttons) override;
  gui::CMouseEventResult onMouseEntered(gui::CPoint& where,
                                        const gui::CButtonState& buttons) override;
  gui::CMouseEventResult onMouseExited(gui::CPoint& where,
                                       const gui::CButtonState& buttons) override;

  int getKind() const { return kind_; }
  int getHoveredItem() const { return hoveredItem_; }
  float getHover() const { return hover_; }
  const gui::CRect& getMenuRect() const { return menuRect_; }
  // The sub-page a selector's value stands for: 0 left, 1 right.
  static int subPageOf(float value) { return static_cast<int>(3 * value); }

 private:
  bool isMenuButton() const;
  bool isMenuOpen() const { return kind_ == kLoadMenuOpen || kind_ == kSaveMenuOpen; }
  int menuItemAt(const gui::CPoint& where) const;
  void drawMenu(gui::CDrawContext* context);
  void drawTab(gui::CDrawContext* context);
  void drawSelector(gui::CDrawContext* context);
  void drawToggle(gui::CDrawContext* context);
  void drawShiftArrow(gui::CDrawContext* context);
  void drawTriangle(gui::CDrawContext* context);

  uint8_t kind_;
  uint8_t hoveredItem_ = 0;
  float hover_ = 0;
  gui::CRect rect_;
  gui::CRect menuRect_;
  gui::CRect itemRects_[2];
};
