// A child window embedded in a host's window, as the toolkit's frame needs
// it: events come back through a listener, pixels go in from the frame's
// back buffer (a native surface: cairo image on Linux, memory rows on
// Windows). One implementation per windowing system.
#pragma once

#include <cstdint>
#include <memory>

#include "gui/native_surface.h"
#include "vst/aeffect.h"

namespace platform {

enum PointerButton : uint32_t {
  kPointerLeft = 1 << 0,
  kPointerMiddle = 1 << 1,
  kPointerRight = 1 << 2,
};

enum KeyModifier : uint32_t {
  kModShift = 1 << 0,
  kModControl = 1 << 1,
  kModAlt = 1 << 2,
  kModSuper = 1 << 3,
};

struct PointerEvent {
  double x = 0, y = 0;   // window coordinates
  uint32_t buttons = 0;  // PointerButton bits held (for a press or release:
                         // the button concerned only)
  uint32_t modifiers = 0;
  uint64_t timeMs = 0;
};

enum class PointerShape { kArrow, kMove, kHorizontalResize, kVerticalResize, kHand };

class NativeWindowListener {
 public:
  virtual ~NativeWindowListener() = default;
  virtual void onPointerDown(const PointerEvent& event) = 0;
  virtual void onPointerUp(const PointerEvent& event) = 0;
  virtual void onPointerMove(const PointerEvent& event) = 0;
  virtual void onPointerLeave(const PointerEvent& event) = 0;
  // Notches, positive up (vertical) or right (horizontal).
  virtual void onWheel(const PointerEvent& event, float distance, bool horizontal) = 0;
  virtual void onKey(VstKeyCode& key, bool down) = 0;
  // The area must be copied again from the back buffer.
  virtual void onExpose(int x, int y, int width, int height) = 0;
  virtual void onFocusLost() = 0;
};

class NativeWindow {
 public:
  virtual ~NativeWindow() = default;

  // A child window of the given size in parent; null when that fails.
  static std::unique_ptr<NativeWindow> create(void* parent, int width, int height,
                                              NativeWindowListener* listener);

  // Reads and dispatches every pending event without waiting.
  virtual void processEvents() = 0;
  // Copies the area of the image (same size as the window) to the window.
  virtual void present(gui::NativeSurface* image, int x, int y, int width, int height) = 0;
  virtual void setCursor(PointerShape shape) = 0;
  virtual void setCursorVisible(bool visible) = 0;
  // Asks for keyboard input to come to this window.
  virtual void takeKeyboardFocus() = 0;
  // Hands keyboard input back to the host's window if this window has it.
  virtual void releaseKeyboardFocus() = 0;
  virtual uintptr_t handle() const = 0;
  // Stops delivering events; used when the owner lets go of the window while
  // one of its events is being handled (the window is destroyed later).
  virtual void detachListener() = 0;
};

}  // namespace platform
