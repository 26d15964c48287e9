// Mouse buttons and modifier keys of a mouse event, and what a view answers.
#pragma once

#include <cstdint>

namespace gui {

enum CButton : int32_t {
  kLButton = 1 << 0,
  kMButton = 1 << 1,
  kRButton = 1 << 2,
  kShift = 1 << 3,
  kControl = 1 << 4,
  kAlt = 1 << 5,
  kApple = 1 << 6,
  kButton4 = 1 << 7,
  kButton5 = 1 << 8,
  kDoubleClick = 1 << 9,
};

// Converts to and from its int32_t bits, so `buttons == kLButton` (left
// button alone) and `buttons & kShift` read naturally.
class CButtonState {
 public:
  constexpr CButtonState(int32_t state = 0) : state_(state) {}

  constexpr int32_t getButtonState() const {
    return state_ & (kLButton | kMButton | kRButton | kButton4 | kButton5);
  }
  constexpr int32_t getModifierState() const {
    return state_ & (kShift | kControl | kAlt | kApple);
  }
  constexpr bool isLeftButton() const { return (state_ & kLButton) != 0; }
  constexpr bool isRightButton() const { return (state_ & kRButton) != 0; }
  constexpr bool isDoubleClick() const { return (state_ & kDoubleClick) != 0; }
  constexpr int32_t operator()() const { return state_; }
  constexpr operator int32_t() const { return state_; }
  CButtonState& operator|=(int32_t bits) {
    state_ |= bits;
    return *this;
  }

 private:
  int32_t state_;
};

enum CMouseEventResult {
  kMouseEventNotImplemented = 0,
  kMouseEventHandled,
  kMouseEventNotHandled,
  // The view handled the mouse down and wants no moves and no mouse up.
  kMouseDownEventHandledButDontNeedMovedOrUpEvents,
  // The view handled the move and needs no further move events for now.
  kMouseMoveEventHandledButDontNeedMoreEvents,
};

enum CCursorType {
  kCursorDefault = 0,
  kCursorWait,
  kCursorHSize,
  kCursorVSize,
  kCursorSizeAll,
  kCursorNESWSize,
  kCursorNWSESize,
  kCursorCopy,
  kCursorNotAllowed,
  kCursorHand,
};

}  // namespace gui
