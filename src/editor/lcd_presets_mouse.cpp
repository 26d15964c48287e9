// The preset browser under the pointer: clicks, double clicks and right
// clicks on rows, the "SAVE" button and the question box, list and
// scroll-bar drags, the wheel, and hover.
#include "editor/control_support.h"
#include "editor/lcd_presets.h"
#include "editor/qua_gui.h"
#include "gui/cframe.h"
#include "gui/ctext_edit.h"

namespace {

constexpr double kDragSpeed = 0.5;
constexpr double kWheelSpeed = 3;

}  // namespace

gui::CMouseEventResult LCD_presets::onMouseDown(gui::CPoint& where,
                                                const gui::CButtonState& buttons) {
  refreshIfPending();
  pointer_ = where;
  if (nameEditActive) {
    // A click elsewhere ends the naming; the field reports its text.
    nameEditActive = false;
    QuaGui* gui = editor();
    if (gui::CTextEdit* field = gui ? gui->programNameField() : nullptr)
      if (gui::CFrame* frame = getFrame())
        if (frame->getFocusView() == field) frame->setFocusView(nullptr);
    return gui::kMouseDownEventHandledButDontNeedMovedOrUpEvents;
  }
  if (drag_ != Drag::None) return gui::kMouseEventHandled;
  showMessage(std::string());

  if (question_ != Question::None) {
    const bool onButton = kOkButton.pointInside(where) || kCancelButton.pointInside(where) ||
                          (question_ != Question::Delete && kNoButton.pointInside(where));
    if (onButton) {
      answerQuestion(where);
      return gui::kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    }
    // Elsewhere: an overwrite question closes (a new bank waiting for it is
    // dropped), the delete question stays; then the click acts as usual.
    if (question_ == Question::OverwriteProgram) closeQuestion();
    if (question_ == Question::OverwriteBank) {
      closeQuestion();
      cancelNewBank();
    }
  }

  if (presetScroll_.thumb().pointInside(where) && presetScroll_.scrolls()) {
    presetScroll_.startBarDrag(where.y);
    drag_ = Drag::PresetBar;
    return gui::kMouseEventHandled;
  }
  if (bankScroll_.thumb().pointInside(where) && bankScroll_.scrolls()) {
    bankScroll_.startBarDrag(where.y);
    drag_ = Drag::BankBar;
    return gui::kMouseEventHandled;
  }
  const int pressed = buttons.getButtonState();
  if (pressed == gui::kLButton) {
    leftClick(where, buttons.isDoubleClick());
    return drag_ == Drag::None ? gui::kMouseDownEventHandledButDontNeedMovedOrUpEvents
                               : gui::kMouseEventHandled;
  }
  if (pressed == gui::kRButton) rightClick(where);
  return gui::kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

void LCD_presets::leftClick(const gui::CPoint& where, bool doubleClick) {
  if (edited && saveButton().pointInside(where)) {
    if (isBankOpen())
      storeBank();
    else
      saveProgram(true);
    return;
  }
  if (inPresetList(where)) {
    presetScroll_.stop();
    drag_ = Drag::PresetList;
    dragLastY_ = where.y;
    if (!doubleClick) return;
    const int row = presetScroll_.rowAt(where.y);
    const int count = static_cast<int>(presetRows_.size());
    if (row < 0 || row > count) return;
    if (!isBankOpen()) {
      if (row < count) loadProgramRow(row);
    } else if (row == count) {
      if (offersNewPreset()) storeNewPreset();
    } else {
      selectBankProgram(row);
    }
    return;
  }
  if (inBankList(where)) {
    bankScroll_.stop();
    drag_ = Drag::BankList;
    dragLastY_ = where.y;
    const int row = bankScroll_.rowAt(where.y);
    const int count = static_cast<int>(bankRows_.size());
    if (row == count && newBankRow_ < 0) {
      drag_ = Drag::None;
      startNewBank();
    } else if (doubleClick && row >= 0 && row < count && row != newBankRow_) {
      openBankRowAt(row);
    }
  }
}

void LCD_presets::rightClick(const gui::CPoint& where) {
  if (inPresetList(where)) {
    const int row = presetScroll_.rowAt(where.y);
    if (row >= 0 && row < static_cast<int>(presetRows_.size())) askDelete(true, row);
  } else if (inBankList(where)) {
    const int row = bankScroll_.rowAt(where.y);
    if (row >= 1 && row < static_cast<int>(bankRows_.size()) && row != newBankRow_)
      askDelete(false, row);
  }
}

gui::CMouseEventResult LCD_presets::onMouseUp(gui::CPoint& where, const gui::CButtonState&) {
  pointer_ = where;
  drag_ = Drag::None;
  invalid();
  return gui::kMouseEventHandled;
}

gui::CMouseEventResult LCD_presets::onMouseMoved(gui::CPoint& where, const gui::CButtonState&) {
  pointer_ = where;
  if (question_ != Question::None) {
    const bool onButton = kOkButton.pointInside(where) || kCancelButton.pointInside(where) ||
                          (question_ != Question::Delete && kNoButton.pointInside(where));
    editor::setCursor(this, onButton ? gui::kCursorHand : gui::kCursorDefault);
    invalid();
    return gui::kMouseEventHandled;
  }
  hoverSave_ = edited && saveButton().pointInside(where);
  editor::setCursor(this, hoverSave_ ? gui::kCursorHand : gui::kCursorDefault);
  switch (drag_) {
    case Drag::PresetBar:
      presetScroll_.dragBarTo(where.y);
      break;
    case Drag::BankBar:
      bankScroll_.dragBarTo(where.y);
      break;
    case Drag::PresetList:
      presetScroll_.push((where.y - dragLastY_) * kDragSpeed);
      dragLastY_ = where.y;
      break;
    case Drag::BankList:
      bankScroll_.push((where.y - dragLastY_) * kDragSpeed);
      dragLastY_ = where.y;
      break;
    case Drag::None:
      break;
  }
  invalid();
  return gui::kMouseEventHandled;
}

gui::CMouseEventResult LCD_presets::onMouseEntered(gui::CPoint& where, const gui::CButtonState&) {
  pointer_ = where;
  QuaGui* gui = editor();
  gui::CTextEdit* field = gui ? gui->programNameField() : nullptr;
  if (nameEditActive) {
    // Back in the browser before the name was given: no new bank.
    cancelNewBank();
    nameEditActive = false;
    if (field && getFrame() && getFrame()->getFocusView() == field)
      getFrame()->setFocusView(nullptr);
  } else if (field && !(field->getViewSize() == gui::CRect(650, 11, 850, 30))) {
    field->setViewSize(gui::CRect(650, 11, 850, 30));
  }
  invalid();
  return gui::kMouseEventHandled;
}

gui::CMouseEventResult LCD_presets::onMouseExited(gui::CPoint&, const gui::CButtonState&) {
  pointer_ = gui::CPoint(-1, -1);
  hoveredPresetRow_ = hoveredBankRow_ = -1;
  hoverSave_ = false;
  editor::setCursor(this, gui::kCursorDefault);
  invalid();
  return gui::kMouseEventHandled;
}

bool LCD_presets::onWheel(const gui::CPoint& where, const float& distance,
                          const gui::CButtonState&) {
  if (!getMouseEnabled() || distance == 0) return false;
  BrowserScroll* list = nullptr;
  if (where.x >= kPresetWheelLeft && where.x <= kWheelRight)
    list = &presetScroll_;
  else if (where.x >= kBankWheelLeft && where.x < kPresetWheelLeft)
    list = &bankScroll_;
  if (!list) return false;
  if (list->scrolls())
    list->push(kWheelSpeed * distance);
  else
    list->setOffset(0);
  invalid();
  return true;
}

void LCD_presets::updateHover() {
  hoveredPresetRow_ = inPresetList(pointer_) ? presetScroll_.rowAt(pointer_.y) : -1;
  hoveredBankRow_ = inBankList(pointer_) ? bankScroll_.rowAt(pointer_.y) : -1;
}
